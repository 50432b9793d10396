#pragma once

#include "cells/PrintMode.h"
#include "channels/DisplayFont.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class cmcFCache;
class cmcGTex;
class datCh;

// A value codec turns one stored value into the text of its cell and, for a
// request that acts (a key, a typed text, an entry chosen in a list), into a
// new value. It reaches nothing outside its arguments: its answer says what
// the cell shows and what to open, and the binding row's runner carries
// that out (CellBinding::RunValue). So a codec can be tested as a table of
// (parameters, stored value, request) -> answer.
//
// Values wider than 32 bits (texts, digit arrays, glyphs) travel as bytes:
// such a codec reads a byte span and answers new bytes.
using CellBytes = std::vector<std::uint8_t>;

// What the cell asks of its value.
struct CodecRequest {
    enum class Kind : std::uint8_t {
        Draw,   // show the value: a draw, text or menu state request
        Key,    // a key; `code` holds it
        Typed,  // the user finished typing; `typed` holds the text
        Chosen, // a selection list opened by this cell answered
    };
    static constexpr std::int32_t kEnter = 13;
    static constexpr std::int32_t kSpace = 32;
    static constexpr std::int32_t kBackspace = 8;

    Kind kind = Kind::Draw;
    // Key: the character, or 13 for Enter (also a menu click).
    std::int32_t code = 0;
    // Key: Shift was held (some values step further then).
    bool shift = false;
    // Typed: the text. Chosen: the text the answering window sent with its
    // answer, if any (the flag bits window sends its mask in decimal).
    std::string_view typed{};
    // Chosen: the style of the list that answered (the label its entries
    // carry) and the entry chosen.
    std::int32_t chosenStyle = 0;
    std::int32_t chosenEntry = 0;
    // The cell is on a sheet a user works in; stepping keys mean nothing on
    // paper or in a menu.
    bool interactive = false;
    // The cell's own text, for entries of selection lists that show it.
    std::string_view cellText{};
    std::int32_t index = 0;
    // A second stored value the binding row hands its codec to read, never
    // to change (the display font size of names, the 5-tone group code);
    // 0 when the row names none.
    std::int32_t context = 0;
    // A draw for paper (a printed or previewed page): what the sheet being
    // printed asks of its cells; kScreen on screen and for everything a
    // user does.
    PrintMode::Mode printMode = PrintMode::kScreen;

    // The decoded record of the cell's row when its category has one, for
    // codecs that compare with a partner value.
    const datCh *record = nullptr;
    // Where option texts and named texts come from: the text database and
    // the format cache over its selection sheets. The handler gives the
    // program's; a codec that finds none shows cmcFCache::kErrorText.
    cmcGTex *texts = nullptr;
    cmcFCache *formats = nullptr;

    bool IsKey(std::int32_t key) const { return kind == Kind::Key && code == key; }
    bool IsEnter() const { return IsKey(kEnter); }
};

// What the cell opens once the codec has answered.
struct CodecOpen {
    enum class Kind : std::uint8_t {
        Nothing,
        List,   // a selection list at the cell
        Editor, // the in-place editor with the answer's text (also after a
                // list's answer: the sheet's editor callback reopens it)
        Window, // a window that edits the value at the cell
    };
    enum class Window : std::uint8_t { FlagBits, FormattedText, CellEditor };

    Kind kind = Kind::Nothing;
    // List: the selection sheet; Window: the window's text key.
    std::string key{};
    // List: the style (the label of the list's entries), the entry to start
    // on and the list tag its rows follow ("" for a fixed list).
    std::int32_t style = 0;
    std::int32_t current = 0;
    std::string listTag{};
    // Editor: where the caret and selection go in the text.
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
    // Window: which, and what it starts from. The flag bits window reads
    // the left-aligned mask from `current`, the members `first`..`last` and
    // the display style from `style`, and shows the sheet `key` (empty: its
    // own); the formatted text window the escaped text from `text` and the
    // field's `width`, with `selectionLength` characters from
    // `selectionStart` selected (none: the caret at the end); the cell
    // editor the dots from `text` ('0'/'1' row by row), `width` columns and
    // `last` rows.
    //
    // A window answers its cell as a selection list does: a Chosen request
    // whose chosenStyle is kWindowAnswerStyle, with the new value as text in
    // the answer capsule's inputText, which the request hands on as `typed`.
    // - Flag bits: the new left-aligned mask in decimal, also in
    //   chosenEntry. OK, Enter, a click elsewhere and the end of pending
    //   edits answer; Cancel, Escape and the grid going away do not.
    // - Formatted text: the edited text in the escaped form, one byte a
    //   character (a character the radio's set lacks as a space);
    //   chosenEntry 0. OK, Enter in the text and the end of pending edits
    //   answer, once; Cancel, Escape and the grid going away do not, and
    //   working elsewhere leaves the window open.
    // - Cell editor: the dots as '0'/'1' row by row.
    static constexpr std::int32_t kWindowAnswerStyle = 1;
    Window window = Window::FlagBits;
    std::int32_t first = 0;
    std::int32_t last = 0;
    std::string text{};
    std::int32_t width = 0;

    static CodecOpen List(std::string sheetKey, std::int32_t listStyle, std::int32_t entry,
                          std::string tag = {})
    {
        CodecOpen open;
        open.kind = Kind::List;
        open.key = std::move(sheetKey);
        open.style = listStyle;
        open.current = entry;
        open.listTag = std::move(tag);
        return open;
    }
    static CodecOpen Editor(std::int32_t start, std::int32_t length)
    {
        CodecOpen open;
        open.kind = Kind::Editor;
        open.selectionStart = start;
        open.selectionLength = length;
        return open;
    }
};

// A text drawn as the radio's display shows it, in its dot-matrix font,
// instead of the cell's plain text (names, user characters).
struct DotMatrixText {
    // The characters in the radio's character set; codes 16..31 are the
    // user characters of the working image.
    std::string characters{};
    std::int32_t charactersPerLine = 12;
    std::int32_t lines = 1;
    // Each character cell framed in grey (the user character cell).
    bool framed = false;
    // Characters from here on are drawn in olive (beyond what the field
    // keeps); -1: all are kept.
    std::int32_t keptLength = -1;
    // The font size to draw in; none: the working image's.
    std::optional<DisplayFont::Size> size{};

    bool operator==(const DotMatrixText &) const = default;
};

// How the cell's text looks beyond what its description says.
struct CodecLook {
    enum class Colour : std::uint8_t {
        AsDescribed,
        Silver, // the value is inactive
        Olive,  // a blank channel's frequency or tone
    };
    enum class Align : std::uint8_t { AsDescribed, Left, Centre };

    Colour colour = Colour::AsDescribed;
    Align align = Align::AsDescribed;
};

struct CodecAnswer {
    std::string text{};
    // The value to store; none leaves the stored value alone. Codecs set it
    // only for a change (commands: whenever they run).
    std::optional<std::int32_t> value{};
    CodecOpen open{};
    CodecLook look{};
    // Codecs that work on bytes: the bytes to store, as long as the ones
    // they were given; none leaves them alone.
    std::optional<CellBytes> bytes{};
    // Menu items and tool buttons: shown checked or not; none leaves it.
    std::optional<bool> checked{};
    // Draw requests: the cell shows this in the display font instead of its
    // text.
    std::optional<DotMatrixText> dotMatrix{};
};

// A codec with its parameters bound in. Each codec has a parameter type of
// its own and a factory taking exactly those parameters (editOption(key),
// showNumber(offset, width) ...), so a binding row names its codec in one
// expression and cannot lack a parameter the codec needs.
//
// A codec takes either a number or bytes, and its binding row's storage
// holds the same shape (CellStorage::HoldsBytes); asked in the other shape
// it answers nothing.
class CellCodec
{
public:
    using Plain = CodecAnswer (*)(std::int32_t value, const CodecRequest &request);
    using Bytes = std::span<const std::uint8_t>;

    CellCodec() = default;
    // A codec without parameters.
    CellCodec(Plain codec) : run_(codec) {}
    template <class Params>
    CellCodec(CodecAnswer (*codec)(const Params &params, std::int32_t value,
                                   const CodecRequest &request),
              Params params)
        : run_(
              [codec, params = std::move(params)](std::int32_t value, const CodecRequest &request) {
                  return codec(params, value, request);
              })
    {}
    // A codec of bytes.
    template <class Params>
    CellCodec(CodecAnswer (*codec)(const Params &params, Bytes bytes, const CodecRequest &request),
              Params params)
        : runBytes_([codec, params = std::move(params)](Bytes bytes, const CodecRequest &request) {
              return codec(params, bytes, request);
          })
    {}

    CodecAnswer operator()(std::int32_t value, const CodecRequest &request) const
    {
        return run_ ? run_(value, request) : CodecAnswer{};
    }
    CodecAnswer operator()(Bytes bytes, const CodecRequest &request) const
    {
        return runBytes_ ? runBytes_(bytes, request) : CodecAnswer{};
    }
    bool TakesBytes() const { return static_cast<bool>(runBytes_); }
    explicit operator bool() const { return run_ || runBytes_; }

private:
    std::function<CodecAnswer(std::int32_t, const CodecRequest &)> run_;
    std::function<CodecAnswer(Bytes, const CodecRequest &)> runBytes_;
};
