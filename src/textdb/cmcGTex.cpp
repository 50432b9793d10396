#include "textdb/cmcGTex.h"

#include "platform/FatalError.h"

#include <algorithm>

namespace {

const char *const kEndKey = "End_Of_Ovl";

bool isKeyLine(const std::string &line)
{
    return line.size() >= 2 && line[0] == '#' && line[1] != '\n';
}

std::string keyNameOf(const std::string &line)
{
    std::string name = line.substr(1);
    if (!name.empty() && name.back() == '\n')
        name.pop_back();
    return name;
}

} // namespace

cmcGTex::cmcGTex() : buffer_(kLineBytes + 1, '\0') {}

cmcGTex::~cmcGTex() { discardAll(); }

void cmcGTex::discardAll()
{
    file_.close();
    open_ = false;
    position_ = 0;
    filePosition_ = -1;
    scanPosition_ = 0;
    scanFinished_ = false;
    while (head_ != nullptr) {
        KeyRecord *next = head_->next;
        delete head_;
        head_ = next;
    }
    tail_ = nullptr;
    keyCount_ = 0;
    cache_.clear();
}

bool cmcGTex::Open(const std::string &path)
{
    discardAll();
    items_ = nullptr;
    source_ = Source::File;
    fileName_ = path;
    return true;
}

bool cmcGTex::SetItems(const std::vector<std::string> *items)
{
    if (source_ != Source::None)
        return false;
    source_ = Source::Items;
    items_ = items;
    return true;
}

void cmcGTex::Fail(const std::string &key)
{
    platform::fatalError(platform::formatText("GTEX Error !\nThe index '%s' was not found.", key));
}

bool cmcGTex::openSource()
{
    if (open_)
        return true;
    if (source_ == Source::File) {
        if (!file_.open(fileName_))
            return false;
    } else if (source_ != Source::Items || items_ == nullptr) {
        return false;
    }
    open_ = true;
    position_ = 0;
    filePosition_ = 0;
    return true;
}

// Only moves the reading position: the file follows when a line is really
// read from it, so lines served from the cache cost no system call.
bool cmcGTex::seekTo(int64_t position)
{
    position_ = position;
    return true;
}

// One line (or piece of a long line) at the current position, straight from
// the source.
bool cmcGTex::readDirect(std::string &line)
{
    if (source_ == Source::File) {
        if (filePosition_ != position_) {
            ++counters_.fileSeeks;
            if (!file_.seek(position_)) {
                filePosition_ = -1;
                return false;
            }
        }
        if (!file_.readLine(buffer_.data(), kLineBytes)) {
            filePosition_ = -1;
            return false;
        }
        line.assign(buffer_.data());
        position_ = filePosition_ = file_.tell();
    } else {
        // The item array carries no length of its own; "#End_Of_Ovl" stops
        // every scan, but a read past the end must still fail cleanly.
        if (items_ == nullptr || position_ < 0 || position_ >= static_cast<int64_t>(items_->size()))
            return false;
        const std::string &item = (*items_)[static_cast<size_t>(position_)];
        line.assign(item, 0, std::min<size_t>(item.size(), kLineBytes - 1));
        if (item.size() < kLineBytes - 1)
            line += '\n';
        ++position_;
    }
    ++counters_.sourceReads;
    return true;
}

bool cmcGTex::readThroughCache(std::string &line)
{
    if (source_ != Source::File)
        return readDirect(line);
    const int64_t at = position_;
    const auto hit = std::find_if(cache_.begin(), cache_.end(),
                                  [at](const CacheEntry &entry) { return entry.position == at; });
    if (hit != cache_.end()) {
        line = hit->text;
        ++counters_.cacheHits;
        cache_.splice(cache_.begin(), cache_, hit);
        return seekTo(at + hit->length);
    }
    if (!readDirect(line))
        return false;
    if (static_cast<int>(cache_.size()) >= kCacheEntries)
        cache_.pop_back();
    cache_.push_front({at, position_ - at, line});
    return true;
}

void cmcGTex::appendRecord(const std::string &name, int64_t contentStart)
{
    auto *record = new KeyRecord{name, contentStart, 0, contentStart, nullptr};
    if (tail_ == nullptr)
        head_ = record;
    else
        tail_->next = record;
    tail_ = record;
    ++keyCount_;
}

void cmcGTex::scanStep()
{
    ++counters_.scanSteps;
    if (!openSource() || !seekTo(scanPosition_)) {
        scanFinished_ = true;
        return;
    }
    std::string line;
    if (!readDirect(line)) {
        scanFinished_ = true;
        return;
    }
    if (isKeyLine(line)) {
        const std::string name = keyNameOf(line);
        appendRecord(name, position_);
        if (name == kEndKey)
            scanFinished_ = true;
    }
    scanPosition_ = position_;
}

// Walks the index; a key found deep in it moves to the front so that the
// keys a session uses most stay cheap to find.
cmcGTex::KeyRecord *cmcGTex::searchIndex(const std::string &key)
{
    KeyRecord *previous = nullptr;
    int position = 0;
    for (KeyRecord *record = head_; record != nullptr; previous = record, record = record->next) {
        if (record->name != key) {
            ++position;
            continue;
        }
        if (position > 10) {
            previous->next = record->next;
            if (tail_ == record)
                tail_ = previous;
            record->next = head_;
            head_ = record;
        }
        return record;
    }
    return nullptr;
}

cmcGTex::KeyRecord *cmcGTex::findKey(const std::string &key)
{
    if (KeyRecord *record = searchIndex(key))
        return record;
    const int countBefore = keyCount_;
    while (!scanFinished_) {
        scanStep();
        if (keyCount_ > countBefore && tail_->name == key)
            return tail_;
    }
    return nullptr;
}

bool cmcGTex::readLineAt(KeyRecord &record, int index, std::string &line)
{
    int current = record.rememberedIndex;
    int64_t start = record.rememberedPosition;
    if (index < current) {
        current = 0;
        start = record.contentStart;
    }
    if (!seekTo(start))
        return false;
    for (; current <= index; ++current) {
        if (!readThroughCache(line))
            return false;
    }
    const size_t lf = line.find('\n');
    if (lf != std::string::npos)
        line.erase(lf);
    record.rememberedIndex = index + 1;
    record.rememberedPosition = position_;
    return true;
}

bool cmcGTex::TryGetLine(const std::string &key, int index, std::string &line)
{
    KeyRecord *record = findKey(key);
    return record != nullptr && open_ && index >= 0 && readLineAt(*record, index, line);
}

std::string cmcGTex::GetLine(const std::string &key, int index)
{
    std::string line;
    if (!TryGetLine(key, index, line))
        Fail(key);
    return line;
}

std::string cmcGTex::GetText(const std::string &key)
{
    std::string text;
    for (int index = 0;; ++index) {
        const std::string line = GetLine(key, index);
        if (!line.empty() && line[0] == '#')
            break;
        if (index > 0)
            text += '\n';
        text += line;
    }
    return text;
}

bool cmcGTex::HasKey(const std::string &key) { return findKey(key) != nullptr; }
