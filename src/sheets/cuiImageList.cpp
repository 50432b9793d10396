#include "sheets/cuiImageList.h"

#include "platform/ProgramDir.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

const std::array<const char *, cuiImageList::kTreeCount> cuiImageList::kTreeNames = {
    "imgIcon_Tree_Rig",    "imgIcon_Tree_Folder01", "imgIcon_Tree_Note01",
    "imgIcon_Tree_Note02", "imgIcon_Tree_Bank0",    "imgIcon_Tree_Bank1",
    "imgIcon_Tree_Bank2",  "imgIcon_Tree_Bank3",    "imgIcon_Tree_Bank4",
    "imgIcon_Tree_Bank5",  "imgIcon_Tree_WarnW_RB", "imgIcon_Tree_WarnE_RB",
    "imgIcon_ADJTree_Rig",
};

const std::array<const char *, cuiImageList::kToolBarCount> cuiImageList::kToolBarNames = {
    "imgIcon_Bar_File_New",   "imgIcon_Bar_File_Open",   "imgIcon_Bar_File_Save",
    "imgIcon_Bar_Com1",       "imgIcon_Bar_Com2",        "imgIcon_Bar_Com3",
    "imgIcon_Bar_Com4",       "imgIcon_Bar_Clone_Read",  "imgIcon_Bar_Clone_Write",
    "imgIcon_Bar_Clone_Info", "imgIcon_Bar_Pcg_Pen",     "imgIcon_Bar_Pcg_Fill",
    "imgIcon_Bar_Pcg_Slider", "imgIcon_Bar_Flash_Write", "imgIcon_ADJTree_Rig",
    "imgIcon_Bar_AdjCheck",   "imgIcon_Bar_Page_Top",    "imgIcon_Bar_Page_Previous",
    "imgIcon_Bar_Page_Next",  "imgIcon_Bar_Page_Last",   "imgIcon_Bar_Page_Zoom",
};

namespace {

// Pictures the desktop's icon theme names the same way everywhere.
struct ThemeName {
    const char *picture;
    const char *theme;
};
constexpr ThemeName themeNames[] = {
    {"imgIcon_Bar_File_New", "document-new"},
    {"imgIcon_Bar_File_Open", "document-open"},
    {"imgIcon_Bar_File_Save", "document-save"},
};

const char *themeNameOf(const char *picture)
{
    for (const ThemeName &entry : themeNames) {
        if (std::strcmp(entry.picture, picture) == 0)
            return entry.theme;
    }
    return nullptr;
}

// Rendered at both scales so the pictures stay sharp on dense screens.
QPixmap render(QSvgRenderer &renderer, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

std::string cuiImageList::defaultDirectory() { return platform::programDirectory() + "icons/"; }

cuiImageList cuiImageList::TreeImages(const std::string &iconDirectory)
{
    return load(kTreeNames, iconDirectory);
}

cuiImageList cuiImageList::ToolBarImages(const std::string &iconDirectory)
{
    return load(kToolBarNames, iconDirectory);
}

template <std::size_t N>
cuiImageList cuiImageList::load(const std::array<const char *, N> &names,
                                const std::string &iconDirectory)
{
    cuiImageList list;
    for (const char *name : names) {
        list.icons_.push_back(loadIcon(name, iconDirectory));
        list.names_.emplace_back(name);
    }
    return list;
}

// A missing or broken file leaves a blank picture in its place: the numbers
// of the pictures after it must not shift.
QIcon cuiImageList::loadIcon(const char *name, const std::string &iconDirectory)
{
    const QString path = QString::fromStdString(iconDirectory) + QLatin1String(name) + ".svg";
    QIcon own;
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        own.addPixmap(render(renderer, kImageSize));
        own.addPixmap(render(renderer, 2 * kImageSize));
    } else {
        qWarning("Picture %s cannot be read", qPrintable(path));
        QPixmap blank(kImageSize, kImageSize);
        blank.fill(Qt::transparent);
        own.addPixmap(blank);
    }
    const char *theme = themeNameOf(name);
    return theme != nullptr ? QIcon::fromTheme(QLatin1String(theme), own) : own;
}

QIcon cuiImageList::icon(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return icons_[static_cast<std::size_t>(index)];
}

QPixmap cuiImageList::pixmap(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return icons_[static_cast<std::size_t>(index)].pixmap(imageSize());
}

std::string cuiImageList::name(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return names_[static_cast<std::size_t>(index)];
}
