#include "codecs/TextCodecs.h"

#include "channels/RadioText.h"
#include "codecs/CodecBasics.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

using Bytes = CellCodec::Bytes;

// The bytes of the field a codec edits: the first `width` of the value.
std::size_t fieldSize(int width, Bytes bytes)
{
    return std::min(static_cast<std::size_t>(std::max(width, 0)), bytes.size());
}

bool isPrintableByte(std::uint8_t byte) { return byte >= 32 && byte <= 126; }

// Space and Backspace act as Enter, which edits the shown text; a
// printable key starts the editor with itself.
CodecAnswer answerText(std::string shown, const CodecRequest &request)
{
    const std::int32_t key = keyOf(request);
    if (key == CodecRequest::kEnter || key == CodecRequest::kSpace ||
        key == CodecRequest::kBackspace)
        return editSelectingAll(std::move(shown));
    if (isPrintableAscii(key))
        return editStartingWith(key);
    return {.text = std::move(shown)};
}

bool answersWithText(const CodecRequest &request)
{
    return request.kind == CodecRequest::Kind::Typed || request.kind == CodecRequest::Kind::Chosen;
}

// --- Fixed texts ---

struct FixedTextParams {
    int width = 0;
    TextFill fill = TextFill::Spaces;
};

std::uint8_t fillByte(TextFill fill) { return fill == TextFill::Spaces ? ' ' : 0; }

CellBytes fixedField(std::string_view typed, Bytes bytes, std::size_t size, TextFill fill)
{
    const std::uint8_t filler = fillByte(fill);
    CellBytes next(bytes.begin(), bytes.end());
    for (std::size_t i = 0; i < size; ++i) {
        std::uint8_t byte = i < typed.size() ? static_cast<std::uint8_t>(typed[i]) : filler;
        if (fill == TextFill::ZerosLowerCase)
            byte = static_cast<std::uint8_t>(std::tolower(byte));
        if (!isPrintableByte(byte) ||
            (byte == ' ' && (fill == TextFill::Zeros || fill == TextFill::ZerosLowerCase)))
            byte = filler;
        next[i] = byte;
    }
    return next;
}

std::string shownField(Bytes bytes, std::size_t size, TextFill fill)
{
    std::string text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    if (const std::size_t end = text.find('\0'); end != std::string::npos)
        text.erase(end);
    if (fill == TextFill::Spaces)
        text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

CodecAnswer fixedText(const FixedTextParams &params, Bytes bytes, const CodecRequest &request)
{
    const std::size_t size = fieldSize(params.width, bytes);
    if (!answersWithText(request))
        return answerText(shownField(bytes, size, params.fill), request);
    CellBytes next = fixedField(request.typed, bytes, size, params.fill);
    CodecAnswer answer{.text = shownField(next, size, params.fill)};
    answerBytes(answer, bytes, std::move(next));
    return answer;
}

// --- CW identification ---

struct CwTextParams {
    int width = 0;
};

bool isCwCharacter(std::uint8_t byte)
{
    constexpr std::string_view kMarks = "\"'()*+,-./:=?";
    return std::isalnum(byte) != 0 || byte == ' ' ||
           kMarks.find(static_cast<char>(byte)) != std::string_view::npos;
}

CodecAnswer cwText(const CwTextParams &params, Bytes bytes, const CodecRequest &request)
{
    const std::size_t size = fieldSize(params.width, bytes);
    if (!answersWithText(request))
        return answerText(shownField(bytes, size, TextFill::Spaces), request);
    const CellBytes field = fixedField(request.typed, bytes, size, TextFill::Spaces);
    CellBytes next(bytes.begin(), bytes.end());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<std::uint8_t>(std::toupper(field[i]));
        if (isCwCharacter(byte))
            next[kept++] = byte;
    }
    std::fill(next.begin() + static_cast<std::ptrdiff_t>(kept),
              next.begin() + static_cast<std::ptrdiff_t>(size), std::uint8_t{' '});
    CodecAnswer answer{.text = shownField(next, size, TextFill::Spaces)};
    answerBytes(answer, bytes, std::move(next));
    return answer;
}

// --- Names ---

constexpr int kShortLine = 12;
constexpr int kLongLine = 25;
constexpr int kLongestShortName = 24;

struct NameParams {
    int width = 0;
    NameFill fill = NameFill::Spaces;
};

// The name as the display shows it: up to a 0, without trailing spaces.
std::string shownName(Bytes bytes, std::size_t size)
{
    std::string name(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    if (const std::size_t end = name.find('\0'); end != std::string::npos)
        name.erase(end);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

DotMatrixText nameInDisplayFont(const std::string &name, int width, int enterable)
{
    // A field narrower than a line (a block of a message) fills its cell.
    const int perLine = width > kLongestShortName ? kLongLine : std::clamp(width, 1, kShortLine);
    DotMatrixText text{.characters = name,
                       .charactersPerLine = perLine,
                       .lines = std::max(1, (width + perLine - 1) / perLine)};
    if (static_cast<int>(name.size()) > enterable)
        text.keptLength = enterable;
    return text;
}

CodecOpen textWindow(std::string escaped, int width, bool selectAll)
{
    const auto length = static_cast<std::int32_t>(escaped.size());
    CodecOpen open;
    open.kind = CodecOpen::Kind::Window;
    open.window = CodecOpen::Window::FormattedText;
    open.text = std::move(escaped);
    open.width = width;
    open.selectionStart = selectAll ? 0 : length;
    open.selectionLength = selectAll ? length : 0;
    return open;
}

CodecAnswer name(const NameParams &params, Bytes bytes, const CodecRequest &request)
{
    const std::size_t size = fieldSize(params.width, bytes);
    const int enterable =
        std::min(enterableNameWidth(params.width, request.context != 0), static_cast<int>(size));
    const std::string shown = shownName(bytes, size);
    CodecAnswer answer{.text = radio_text::escape(shown)};

    if (answersWithText(request)) {
        std::string typed = radio_text::unescape(request.typed);
        typed.resize(std::min(typed.size(), static_cast<std::size_t>(enterable)));
        CellBytes next(bytes.begin(), bytes.end());
        const std::uint8_t filler = params.fill == NameFill::Spaces ? ' ' : 0;
        for (std::size_t i = 0; i < size; ++i)
            next[i] = i < typed.size() ? static_cast<std::uint8_t>(typed[i]) : filler;
        answer.text = radio_text::escape(shownName(next, size));
        answerBytes(answer, bytes, std::move(next));
        return answer;
    }
    const std::int32_t key = keyOf(request);
    if (key == CodecRequest::kEnter || key == CodecRequest::kBackspace)
        answer.open = textWindow(answer.text, enterable, true);
    else if (key >= 32 && key <= 255)
        answer.open = textWindow(radio_text::escape(std::string(1, static_cast<char>(key))),
                                 enterable, false);
    else if (request.kind == CodecRequest::Kind::Draw)
        answer.dotMatrix = nameInDisplayFont(shown, params.width, enterable);
    return answer;
}

} // namespace

int enterableNameWidth(int width, bool smallFont)
{
    // Fields wider than a name (messages) run over several lines of the
    // display whatever its font.
    if (width > kLongestShortName)
        return width;
    return std::min(width, smallFont ? kLongestShortName : kShortLine);
}

CellCodec editFixedText(int width, TextFill fill)
{
    return CellCodec(fixedText, FixedTextParams{width, fill});
}

CellCodec editCwText(int width) { return CellCodec(cwText, CwTextParams{width}); }

CellCodec editName(int width, NameFill fill) { return CellCodec(name, NameParams{width, fill}); }
