#pragma once

#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// The main text database reads the given keys (each with its lines) for the
// lifetime of the object.
class ScopedTexts
{
public:
    using Entry = std::pair<std::string, std::vector<std::string>>;
    explicit ScopedTexts(const std::vector<Entry> &entries);

private:
    QTemporaryDir dir_;
};

} // namespace testing_support
