#pragma once

// Every header line that is not a definition: keys in upper case with their values in
// 79 hash buckets. The bucket order fixes the order of the headers in a saved file. In a
// base-62 chart the index that ends an indexed key (#BGAxx, #BPMxx...) keeps its case
// (headerTableKey).

#include <memory>
#include <string>
#include <vector>

#include "model/index_base.h"

class BmsHeaderOne {
public:
    // Both texts kept as passed (the table spells the key first); null counts as "".
    BmsHeaderOne(const char* key, const char* value);

    BmsHeaderOne(const BmsHeaderOne&) = delete;
    BmsHeaderOne& operator=(const BmsHeaderOne&) = delete;

    const char* key() const { return key_.get(); }
    const char* value() const { return value_.get(); }
    void setValue(const char* value);
    BmsHeaderOne* next() const { return next_; }
    void setNext(BmsHeaderOne* next) { next_ = next; }
    // A copy of key and value, with no next entry.
    std::unique_ptr<BmsHeaderOne> clone() const;

private:
    std::unique_ptr<char[]> key_;
    std::unique_ptr<char[]> value_;
    BmsHeaderOne* next_ = nullptr; // not owned: the table owns every entry
};

class BmsHeaderHash {
public:
    static constexpr int kBucketCount = 79;

    BmsHeaderHash() = default;
    ~BmsHeaderHash();
    BmsHeaderHash(const BmsHeaderHash&) = delete;
    BmsHeaderHash& operator=(const BmsHeaderHash&) = delete;

    // The base that decides how keys are spelled. Keys already stored keep their
    // spelling: a chart changes base only while every key reads the same in both.
    IndexBase indexBase() const { return base_; }
    void setIndexBase(IndexBase base) { base_ = base; }

    // Bucket of a key as the table spells it: h = h * 37 + byte over its bytes, mod 79.
    static int hashKey(const char* tableKey);

    void set(const char* key, const char* value);
    // Gives the key a new value where it stands (set moves it to the tail of its
    // bucket); false when the key is absent.
    bool replaceValue(const char* key, const char* value);
    // Takes ownership; the key is spelled as the table spells keys, an entry with an
    // equal key is released first, and the new entry goes to the tail of its bucket.
    void insert(std::unique_ptr<BmsHeaderOne> entry);
    // The value of the key, or "" when absent.
    const char* get(const char* key) const;
    const BmsHeaderOne* find(const char* key) const;
    // Moves the value of the key out and removes the entry; false when absent.
    bool take(const char* key, std::string& value);
    std::unique_ptr<BmsHeaderOne> detach(const char* key);
    bool remove(const char* key);
    // The head entry of the lowest-numbered non-empty bucket, unlinked.
    std::unique_ptr<BmsHeaderOne> detachFirst();
    bool takeFirst(std::string& key, std::string& value);
    // Releases every entry; returns how many there were.
    int clear();
    int count() const { return count_; }
    // Every key in enumeration order: buckets ascending, each in its stored order.
    std::vector<std::string> keys() const;
    std::unique_ptr<BmsHeaderHash> clone() const;

private:
    struct Location {
        BmsHeaderOne* entry;
        BmsHeaderOne* previous;
    };
    std::string tableKey(const char* key) const;
    Location locate(int bucket, const char* tableKey) const;
    std::unique_ptr<BmsHeaderOne> unlink(int bucket, Location location);
    // The lowest-numbered bucket holding an entry, or -1 for an empty table.
    int firstUsedBucket() const;

    BmsHeaderOne* buckets_[kBucketCount] = {};
    IndexBase base_;
    int count_ = 0;
};
