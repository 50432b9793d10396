#pragma once

#include "cells/CellCodec.h"
#include "channels/DisplayFont.h"
#include "windows/CellWindow.h"

#include <cstdint>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;
class cmcGTex;
class cuiSheet;

// The formatted text window, in which a name in the radio's character set is
// edited: an edit line holding the text in its escaped form (bytes that
// cannot be typed as '%' and two hexadecimal digits), a live preview of the
// radio's display, and a table of every character of the set, the user
// characters included, to insert from. OK or Enter in the edit line answer
// the opening cell with the edited text, and so does the end of pending
// edits (kEvFinishEdits); Cancel, Escape in the edit line and the cell's
// grid going away (kEvControlClosing) close it without an answer. Working
// elsewhere leaves it open. It frees itself once it closes.
//
// The answer reaches the opening cell through its handler as a list's
// answer does (CodecOpen::Window::FormattedText in cells/CellCodec.h says
// how), at most once.
class cuiFText : public CellWindow
{
    Q_OBJECT

public:
    // Names wider than this are previewed in lines of 25 characters.
    static constexpr std::int32_t kShortestLong = 25;
    static constexpr std::int32_t kShortLine = 12;
    static constexpr std::int32_t kLongLine = 25;
    static constexpr int kButtonGap = 8;

    // The window for the cell of `opening`, editing `escaped` (a text of one
    // byte a character) for a field of `width` characters, with
    // `selectionLength` characters from `selectionStart` selected, or the
    // caret at the end when none are. Null when the capsule names no owner
    // grid.
    static cuiFText *Open(const cmcCellCapsule &opening, cmcGTex &texts, const std::string &escaped,
                          std::int32_t width, std::int32_t selectionStart = 0,
                          std::int32_t selectionLength = 0);
    ~cuiFText() override;
    cuiFText(const cuiFText &) = delete;
    cuiFText &operator=(const cuiFText &) = delete;

    // The edit line's text, one byte a character; characters the radio's set
    // lacks read as spaces.
    std::string EditText() const;
    // The text's bytes in the radio's set.
    const std::string &Bytes() const { return bytes_; }
    // What the preview shows.
    DotMatrixText PreviewText() const;

    QLineEdit *EditLine() const { return edit_; }
    QWidget *Preview() const { return preview_; }
    cuiSheet *Table() const { return table_.get(); }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The edit line's text.
    void Deliver() override;

private:
    cuiFText(const cmcCellCapsule &opening, cmcGTex &texts, std::int32_t width);
    void build(const cmcCellCapsule &opening, const std::string &escaped,
               std::int32_t selectionStart, std::int32_t selectionLength);
    void textEdited();
    void paintPreview();

    static std::int32_t handleCell(indActiveCell *context, cmcCellCapsule &capsule,
                                   std::int32_t mode);
    std::int32_t handleTableCell(indActiveCell *context, cmcCellCapsule &capsule,
                                 std::int32_t mode);
    void insertCharacter(std::uint8_t code);
    void focusEditLine();

    cmcGTex &texts_;
    const std::int32_t width_;
    // The radio's font as the working image has it when the window opens.
    const DisplayFont displayFont_;
    std::string bytes_;
    QLineEdit *edit_ = nullptr;
    QWidget *preview_ = nullptr;
    QWidget *tableContainer_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
    std::unique_ptr<cuiSheet> table_;
};
