#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <array>
#include <string>
#include <vector>

// The program's pictures in the order that tree nodes and tool buttons name
// them by number. The pictures are our own small SVG files in the icons
// folder beside the program; the three file pictures come from the desktop's
// icon theme when it has them, so the tool bar looks at home there.
class cuiImageList
{
public:
    static constexpr int kImageSize = 16;
    static constexpr int kTreeCount = 13;
    static constexpr int kToolBarCount = 21;

    // The pictures' names, in list order; each is also the SVG file name
    // (without ".svg").
    static const std::array<const char *, kTreeCount> kTreeNames;
    static const std::array<const char *, kToolBarCount> kToolBarNames;

    cuiImageList() = default;

    // The two lists from the SVG files in `iconDirectory` (ending in '/');
    // by default the icons folder beside the program.
    static cuiImageList TreeImages(const std::string &iconDirectory = defaultDirectory());
    static cuiImageList ToolBarImages(const std::string &iconDirectory = defaultDirectory());
    static std::string defaultDirectory();

    int count() const { return static_cast<int>(icons_.size()); }
    QSize imageSize() const { return QSize(kImageSize, kImageSize); }
    // A null icon or pixmap for an index outside the list (-1 means none).
    QIcon icon(int index) const;
    QPixmap pixmap(int index) const;
    // The name a picture was loaded under, empty outside the list.
    std::string name(int index) const;

private:
    template <std::size_t N>
    static cuiImageList load(const std::array<const char *, N> &names,
                             const std::string &iconDirectory);
    static QIcon loadIcon(const char *name, const std::string &iconDirectory);

    std::vector<QIcon> icons_;
    std::vector<std::string> names_;
};
