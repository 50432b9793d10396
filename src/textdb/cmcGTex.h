#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/TextFileReader.h"

// A keyed text database read lazily from an overlay file (or from lines held
// in memory). Overlays hold thousands of keys, so nothing is read before it
// is asked for: keys are indexed only as far as lookups need, each key
// remembers where its last read line ended, and recently read lines are
// cached. A key or line that cannot be read is a fault of the installation
// and ends the program.
class cmcGTex
{
public:
    // Counters of the work done, for tests and benchmarks.
    struct Counters {
        int64_t sourceReads = 0; // lines read from the file or item array
        int64_t cacheHits = 0;
        int64_t scanSteps = 0;
        int64_t fileSeeks = 0; // times the file had to be moved before a read
    };

    cmcGTex();
    virtual ~cmcGTex();
    cmcGTex(const cmcGTex &) = delete;
    cmcGTex &operator=(const cmcGTex &) = delete;

    // Discards everything read so far and takes the named file as source;
    // the file itself is opened by the first lookup.
    bool Open(const std::string &path);
    // Takes lines held by the caller as source (the last must be
    // "#End_Of_Ovl"); only when no source has been set yet.
    bool SetItems(const std::vector<std::string> *items);

    std::string GetLine(const std::string &key, int index);
    // GetLine without the fatal end: false when the key or line cannot be read.
    bool TryGetLine(const std::string &key, int index, std::string &line);
    std::string GetFirstLine(const std::string &key) { return GetLine(key, 0); }
    // Lines 0, 1, ... joined with '\n', up to the first line beginning with '#'.
    std::string GetText(const std::string &key);

    // True when the key exists; scans as far as needed but never fails.
    bool HasKey(const std::string &key);

    const Counters &counters() const { return counters_; }
    int indexedKeyCount() const { return keyCount_; }
    bool scanFinished() const { return scanFinished_; }
    const std::string &fileName() const { return fileName_; }

    static constexpr int kLineBytes = 8192;
    static constexpr int kCacheEntries = 64;
    static constexpr const char *kErrorText = "**** ERROR !!! ****";

protected:
    // The fatal report; the help text database shares it unchanged.
    [[noreturn]] void Fail(const std::string &key);

private:
    enum class Source { None, Items, File };

    struct KeyRecord {
        std::string name;
        int64_t contentStart = 0;
        int rememberedIndex = 0;
        int64_t rememberedPosition = 0;
        KeyRecord *next = nullptr;
    };

    struct CacheEntry {
        int64_t position;
        int64_t length;
        std::string text;
    };

    void discardAll();
    KeyRecord *findKey(const std::string &key);
    KeyRecord *searchIndex(const std::string &key);
    void scanStep();
    bool openSource();
    bool seekTo(int64_t position);
    bool readDirect(std::string &line);
    bool readThroughCache(std::string &line);
    bool readLineAt(KeyRecord &record, int index, std::string &line);
    void appendRecord(const std::string &name, int64_t contentStart);

    Source source_ = Source::None;
    bool open_ = false;
    platform::TextFileReader file_;
    const std::vector<std::string> *items_ = nullptr;
    int64_t position_ = 0;
    // Where the open file stands; -1 when unknown.
    int64_t filePosition_ = -1;
    std::string fileName_;
    std::vector<char> buffer_;
    int64_t scanPosition_ = 0;
    bool scanFinished_ = false;

    KeyRecord *head_ = nullptr;
    KeyRecord *tail_ = nullptr;
    int keyCount_ = 0;

    std::list<CacheEntry> cache_; // most recently used first

    Counters counters_;
};
