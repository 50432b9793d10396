#include "platform/TextFileReader.h"

#include <cstring>
#include <vector>

namespace platform {

TextFileReader::~TextFileReader() { close(); }

bool TextFileReader::open(const std::string &path)
{
    close();
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
}

void TextFileReader::close()
{
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
}

bool TextFileReader::readLine(char *buffer, int maxBytes)
{
    if (file_ == nullptr || maxBytes < 2)
        return false;
    if (std::fgets(buffer, maxBytes, file_) == nullptr)
        return false;
    size_t n = std::strlen(buffer);
    if (n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n') {
        buffer[n - 2] = '\n';
        buffer[n - 1] = '\0';
    } else if (n >= 1 && buffer[n - 1] == '\r') {
        // The piece ended between CR and LF: take the LF along so the pair
        // still reads as one line end.
        const int next = std::fgetc(file_);
        if (next == '\n')
            buffer[n - 1] = '\n';
        else if (next != EOF)
            std::ungetc(next, file_);
    }
    return true;
}

bool TextFileReader::readLine(std::string &line, int maxBytes)
{
    std::vector<char> buffer(static_cast<size_t>(maxBytes > 2 ? maxBytes : 2));
    if (!readLine(buffer.data(), static_cast<int>(buffer.size())))
        return false;
    line.assign(buffer.data());
    return true;
}

int64_t TextFileReader::tell() const
{
    return file_ != nullptr ? static_cast<int64_t>(std::ftell(file_)) : -1;
}

bool TextFileReader::seek(int64_t position)
{
    return file_ != nullptr && position >= 0 &&
           std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

} // namespace platform
