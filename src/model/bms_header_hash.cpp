#include "model/bms_header_hash.h"

#include <cstdint>
#include <cstring>

#include "model/header_references.h"
#include "model/helpers.h"

BmsHeaderOne::BmsHeaderOne(const char* key, const char* value)
    : key_(duplicateText(textOrEmpty(key), false))
    , value_(duplicateText(textOrEmpty(value), false))
{
}

std::unique_ptr<BmsHeaderOne> BmsHeaderOne::clone() const
{
    return std::make_unique<BmsHeaderOne>(key_.get(), value_.get());
}

void BmsHeaderOne::setValue(const char* value)
{
    value_ = duplicateText(textOrEmpty(value), false);
}

BmsHeaderHash::~BmsHeaderHash()
{
    clear();
}

// Every keyed operation works with the table's spelling of its key; null counts as "".
std::string BmsHeaderHash::tableKey(const char* key) const
{
    return headerTableKey(textOrEmpty(key), base_);
}

int BmsHeaderHash::hashKey(const char* tableKey)
{
    std::uint32_t h = 0;
    for (const char* p = tableKey; *p; ++p)
        h = h * 37u + static_cast<unsigned char>(*p);
    return static_cast<int>(h % kBucketCount);
}

BmsHeaderHash::Location BmsHeaderHash::locate(int bucket, const char* tableKey) const
{
    BmsHeaderOne* previous = nullptr;
    for (BmsHeaderOne* entry = buckets_[bucket]; entry; entry = entry->next()) {
        if (std::strcmp(entry->key(), tableKey) == 0)
            return { entry, previous };
        previous = entry;
    }
    return { nullptr, previous };
}

std::unique_ptr<BmsHeaderOne> BmsHeaderHash::unlink(int bucket, Location location)
{
    BmsHeaderOne* entry = location.entry;
    if (location.previous)
        location.previous->setNext(entry->next());
    else
        buckets_[bucket] = entry->next();
    entry->setNext(nullptr);
    --count_;
    return std::unique_ptr<BmsHeaderOne>(entry);
}

void BmsHeaderHash::set(const char* key, const char* value)
{
    insert(std::make_unique<BmsHeaderOne>(tableKey(key).c_str(), value));
}

bool BmsHeaderHash::replaceValue(const char* key, const char* value)
{
    const std::string spelled = tableKey(key);
    BmsHeaderOne* entry = locate(hashKey(spelled.c_str()), spelled.c_str()).entry;
    if (!entry)
        return false;
    entry->setValue(value);
    return true;
}

std::vector<std::string> BmsHeaderHash::keys() const
{
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(count_));
    for (const BmsHeaderOne* head : buckets_) {
        for (const BmsHeaderOne* entry = head; entry; entry = entry->next())
            keys.emplace_back(entry->key());
    }
    return keys;
}

void BmsHeaderHash::insert(std::unique_ptr<BmsHeaderOne> entry)
{
    if (!entry)
        return;
    if (const std::string spelled = tableKey(entry->key()); spelled != entry->key())
        entry = std::make_unique<BmsHeaderOne>(spelled.c_str(), entry->value());
    // Replacing a key moves it to the tail of its bucket.
    remove(entry->key());
    int bucket = hashKey(entry->key());
    Location tail = locate(bucket, entry->key());
    entry->setNext(nullptr);
    if (tail.previous)
        tail.previous->setNext(entry.get());
    else
        buckets_[bucket] = entry.get();
    entry.release();
    ++count_;
}

const char* BmsHeaderHash::get(const char* key) const
{
    const BmsHeaderOne* entry = find(key);
    return entry ? entry->value() : "";
}

const BmsHeaderOne* BmsHeaderHash::find(const char* key) const
{
    const std::string spelled = tableKey(key);
    return locate(hashKey(spelled.c_str()), spelled.c_str()).entry;
}

bool BmsHeaderHash::take(const char* key, std::string& value)
{
    // The value is copied before the entry goes, so a failed copy loses nothing.
    const std::string spelled = tableKey(key);
    int bucket = hashKey(spelled.c_str());
    Location location = locate(bucket, spelled.c_str());
    if (!location.entry)
        return false;
    value = location.entry->value();
    unlink(bucket, location);
    return true;
}

std::unique_ptr<BmsHeaderOne> BmsHeaderHash::detach(const char* key)
{
    const std::string spelled = tableKey(key);
    int bucket = hashKey(spelled.c_str());
    Location location = locate(bucket, spelled.c_str());
    if (!location.entry)
        return nullptr;
    return unlink(bucket, location);
}

bool BmsHeaderHash::remove(const char* key)
{
    return detach(key) != nullptr;
}

int BmsHeaderHash::firstUsedBucket() const
{
    for (int bucket = 0; bucket < kBucketCount; ++bucket) {
        if (buckets_[bucket])
            return bucket;
    }
    return -1;
}

std::unique_ptr<BmsHeaderOne> BmsHeaderHash::detachFirst()
{
    int bucket = firstUsedBucket();
    if (bucket < 0)
        return nullptr;
    return unlink(bucket, { buckets_[bucket], nullptr });
}

bool BmsHeaderHash::takeFirst(std::string& key, std::string& value)
{
    int bucket = firstUsedBucket();
    if (bucket < 0)
        return false;
    // Both texts are copied before the entry goes, so a failed copy loses nothing.
    BmsHeaderOne* head = buckets_[bucket];
    key = head->key();
    value = head->value();
    unlink(bucket, { head, nullptr });
    return true;
}

int BmsHeaderHash::clear()
{
    int released = 0;
    for (BmsHeaderOne*& head : buckets_) {
        while (head) {
            std::unique_ptr<BmsHeaderOne> entry(head);
            head = entry->next();
            ++released;
        }
    }
    count_ = 0;
    return released;
}

std::unique_ptr<BmsHeaderHash> BmsHeaderHash::clone() const
{
    auto copy = std::make_unique<BmsHeaderHash>();
    copy->base_ = base_;
    for (const BmsHeaderOne* head : buckets_) {
        for (const BmsHeaderOne* entry = head; entry; entry = entry->next())
            copy->insert(entry->clone());
    }
    return copy;
}
