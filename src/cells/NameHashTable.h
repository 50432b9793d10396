#pragma once

#include "platform/FatalError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The bucket of a name in a table of the given number of buckets, by the
// tables' long-standing formula ("abc" in 1031 buckets lands in 937).
std::uint32_t nameHashBucket(std::string_view name, std::uint32_t bucketCount);

// Chained hash table from names to values, shared by the name tables of the
// cell engine. Names are compared whole and case-sensitively. A name may be
// entered only once: a second entry is a fault of the compiled tables and
// ends the program with the table's own text.
template <typename Value>
class NameHashTable
{
public:
    struct Node {
        std::string name;
        Value value;
        Node *next;
    };

    static constexpr std::uint32_t kDefaultBuckets = 1031;

    // 0 buckets means the default size.
    NameHashTable(std::uint32_t bucketCount, const char *overlapText)
        : heads_(bucketCount == 0 ? kDefaultBuckets : bucketCount, nullptr),
          overlapText_(overlapText)
    {}
    ~NameHashTable() { clearChains(); }
    NameHashTable(const NameHashTable &) = delete;
    NameHashTable &operator=(const NameHashTable &) = delete;

    void Insert(std::string_view name, Value value)
    {
        if (Find(name) != nullptr)
            platform::fatalError(overlapText_);
        Node *&head = heads_[bucketOf(name)];
        head = new Node{std::string(name), value, head};
    }

    const Node *Find(std::string_view name) const
    {
        for (const Node *node = heads_[bucketOf(name)]; node != nullptr; node = node->next) {
            if (node->name == name)
                return node;
        }
        return nullptr;
    }

    std::uint32_t bucketCount() const { return static_cast<std::uint32_t>(heads_.size()); }
    std::uint32_t bucketOf(std::string_view name) const
    {
        return nameHashBucket(name, bucketCount());
    }

private:
    void clearChains()
    {
        for (Node *node : heads_) {
            while (node != nullptr) {
                Node *next = node->next;
                delete node;
                node = next;
            }
        }
    }

    std::vector<Node *> heads_;
    const char *overlapText_;
};
