#pragma once

#include "windows/CellWindow.h"

#include <QPolygon>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPushButton;
class cmcGTex;
class cuiSheet;

// The flag bits window: a small borderless window at a bit-set cell with a
// row of member headings over a row of check boxes, and OK and Cancel. Space
// (or a double click) toggles the member under the cursor; OK, a click
// elsewhere and the end of pending edits (kEvFinishEdits) answer the cell
// with the new mask; Cancel, Escape and the cell's grid going away
// (kEvControlClosing) close it without an answer. The window frees itself
// once it closes.
//
// The mask is left-aligned: check box j (1-based from the first member
// shown) is bit 26 - j. The answer reaches the opening cell through its
// handler as a list's answer does (CodecOpen::Window::FlagBits in
// cells/CellCodec.h says how).
class cuiFBitsR : public CellWindow
{
    Q_OBJECT

public:
    // Heading styles: member numbers in decimal, one hexadecimal digit,
    // decimal with member 10 as "0", digits then letters (17 is "Z"),
    // letters from "A", NMEA sentences, bit numbers counting down to B0.
    enum HeadingStyle : std::int32_t {
        kDecimal,
        kHexadecimal,
        kDecimalTenAsZero,
        kDigitsThenLetters,
        kLetters,
        kNmeaSentences,
        kBitNumbers,
    };
    // Check boxes show a drawn check mark, or the letter "o".
    static constexpr std::int32_t kMarkLetter = 0;
    static constexpr std::int32_t kMarkCheck = 1;
    static constexpr std::int32_t kMostMembers = 25;
    // More NMEA sentences than this cannot be sent at once.
    static constexpr int kMostSentences = 3;

    // The window for the cell of `opening`, showing members first..last
    // (at most 25) of `value`, built from the sheet `sheetKey` of `texts`,
    // or from its own description when the key is empty. Null when the
    // capsule names no owner grid.
    static cuiFBitsR *Open(const cmcCellCapsule &opening, cmcGTex &texts, std::uint32_t value,
                           std::int32_t first, std::int32_t last, std::int32_t headingStyle,
                           std::int32_t markStyle, const std::string &sheetKey = {});
    ~cuiFBitsR() override;
    cuiFBitsR(const cuiFBitsR &) = delete;
    cuiFBitsR &operator=(const cuiFBitsR &) = delete;

    // The heading of member `member` of first..`last` in a heading style.
    static std::string Heading(std::int32_t style, std::int32_t member, std::int32_t last);
    // The sheet "GI_Sheet_FBitsR" the window describes itself: 32 lines of
    // a text database.
    static std::vector<std::string> Description(std::int32_t first, std::int32_t last,
                                                std::int32_t headingStyle);
    // The check mark drawn in a cell: six corners, in whole pixels.
    static QPolygon CheckMark(const QRect &cell);

    std::uint32_t Value() const { return value_; }
    cuiSheet *Sheet() const { return sheet_.get(); }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The mask as it stands.
    void Deliver() override;

private:
    cuiFBitsR(const cmcCellCapsule &opening, cmcGTex &texts, std::uint32_t value,
              std::int32_t first, std::int32_t last, std::int32_t headingStyle,
              std::int32_t markStyle);
    void build(const cmcCellCapsule &opening, const std::string &sheetKey);
    void fitToSheet();
    int heightCut() const;
    bool takeButtonKey(QEvent *event);

    static std::int32_t handleCell(indActiveCell *context, cmcCellCapsule &capsule,
                                   std::int32_t mode);
    std::int32_t handleOwnCell(indActiveCell *context, cmcCellCapsule &capsule, std::int32_t mode);
    void drawCheckMark(const cmcCellCapsule &capsule) const;
    int setMembers() const;
    void toggled();

    cmcGTex &texts_;
    std::unique_ptr<std::vector<std::string>> ownLines_;
    std::unique_ptr<cmcGTex> ownTexts_;
    std::uint32_t value_;
    const std::int32_t first_;
    const std::int32_t last_;
    const std::int32_t headingStyle_;
    const std::int32_t markStyle_;
    QWidget *container_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
    std::unique_ptr<cuiSheet> sheet_;
};
