#include "model/bms_bms.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "model/helpers.h"
#include "model/object_ticks.h"

BmsBms::BmsBms()
    : headerTable_(std::make_unique<BmsHeaderHash>())
    , tables_ { std::make_unique<BmsRegistArray>("WAV"), std::make_unique<BmsRegistArray>("BMP") }
{
    for (int m = 0; m <= kMeasureCount; ++m)
        measureStarts_[m] = m * BmsBar::kStandardTicks;
}

BmsBms::~BmsBms()
{
    clearLines();
}

BmsBar BmsBms::measureLength(int m) const
{
    if (m < 0 || m >= kMeasureCount)
        return BmsBar(0);
    return measures_[m];
}

BmsBar BmsBms::setMeasureLength(int m, BmsBar bar)
{
    if (m < 0 || m >= kMeasureCount)
        return BmsBar(0);
    BmsBar previous = measures_[m];
    measures_[m] = BmsBar(std::clamp(bar.ticks(), 0, kMaxMeasureTicks));
    int change = measures_[m].ticks() - previous.ticks();
    // A chart may repeat a length any number of times; only a real change moves the
    // starts of the later measures.
    for (int later = m + 1; change != 0 && later <= kMeasureCount; ++later)
        measureStarts_[later] += change;
    return previous;
}

int BmsBms::measureStart(int m) const
{
    // Each length is at most kMaxMeasureTicks, so the sum of all 1000 stays below
    // 10^9 and fits in int.
    return measureStarts_[std::clamp(m, 0, kMeasureCount)];
}

BmsChannel* BmsBms::findLine(BmsWord channel)
{
    return const_cast<BmsChannel*>(std::as_const(*this).findLine(channel));
}

const BmsChannel* BmsBms::findLine(BmsWord channel) const
{
    for (const BmsChannel* line = firstLine_; line; line = line->next()) {
        if (line->channel().equals(channel))
            return line;
    }
    return nullptr;
}

std::unique_ptr<BmsChannel> BmsBms::insertLine(std::unique_ptr<BmsChannel> line)
{
    if (!line)
        return nullptr;
    BmsChannel* previous = nullptr;
    BmsChannel* current = firstLine_;
    while (current && current->channel().compare(line->channel()) < 0) {
        previous = current;
        current = current->next();
    }
    std::unique_ptr<BmsChannel> displaced;
    if (current && current->channel().equals(line->channel())) {
        displaced.reset(current);
        current = current->next();
        displaced->setNext(nullptr);
    } else {
        ++lineCount_;
    }
    line->setNext(current);
    if (previous)
        previous->setNext(line.release());
    else
        firstLine_ = line.release();
    return displaced;
}

int BmsBms::clearLines()
{
    int destroyed = 0;
    while (firstLine_) {
        std::unique_ptr<BmsChannel> line(firstLine_);
        firstLine_ = line->next();
        ++destroyed;
    }
    lineCount_ = 0;
    return destroyed;
}

int BmsBms::lastObjectPosition() const
{
    int last = 0;
    for (const BmsChannel* line = firstLine_; line; line = line->next()) {
        for (const BmsChannel* lane = line; lane; lane = lane->child())
            last = std::max(last, lane->lastObjectTick());
    }
    return last;
}

int BmsBms::lastMeasure() const
{
    int last = lastObjectPosition();
    // Trailing measures of length 0 all start at or before the last object: the scan
    // stops at measure 1000 so that the result is at most 999.
    int m = 0;
    while (m < kMeasureCount && measureStart(m) <= last)
        ++m;
    return std::max(m - 1, 0);
}

int BmsBms::placeObjects(int m, BmsWord channel, std::string_view text)
{
    int start = measureStart(m);
    int length = measureLength(m).ticks();
    size_t n = text.size();
    if (n == 0 || n % 2 != 0 || n / 2 > static_cast<size_t>(length))
        return 0;
    BmsChannel* line = findLine(channel);
    if (!line) {
        auto created = std::make_unique<BmsChannel>(channel);
        line = created.get();
        insertLine(std::move(created));
    }
    const std::size_t placed = forEachObjectTick(start, length, n / 2, [&](std::size_t j, int tick) {
        const BmsWord object = indexBase().word(text[2 * j], text[2 * j + 1]);
        // A "00" never overwrites an object placed by an earlier line of the measure.
        if (!object.isEmptyObject())
            line->setObject(tick, object);
        return true;
    });
    return static_cast<int>(2 * placed);
}

int BmsBms::dataText(int m, BmsWord channel, char* out) const
{
    const BmsChannel* line = findLine(channel);
    if (!line)
        return -1;
    return measureDataText(*line, measureStart(m), measureLength(m).ticks(), out);
}

namespace {

// The coarsest grid step on which every object of the measure lies: the greatest
// common divisor of the length and every offset holding an object.
int coarsestStep(const PlacedObjects& objects, int start, int ticks)
{
    int step = ticks;
    objects.forEach([&](PlacedObject entry) {
        const int offset = entry.tick - start;
        if (offset % step != 0 && !entry.object.isEmptyObject())
            step = greatestCommonDivisor(step, offset);
        return step != 1;
    });
    return step;
}

} // namespace

int measureDataText(const BmsBuffer& line, int start, int ticks, char* out)
{
    int written = 0;
    if (start >= 0 && ticks > 0) {
        // start + ticks stays inside int: the document bounds every measure.
        const PlacedObjects objects = line.objectsBetween(start, start + ticks);
        const int step = coarsestStep(objects, start, ticks);
        written = 2 * (ticks / step);
        // Every grid point "00", then the objects over it; an entry holding "00" may lie
        // off the grid, and is left out like an empty position.
        std::memset(out, '0', static_cast<std::size_t>(written));
        objects.forEach([&](PlacedObject entry) {
            if (!entry.object.isEmptyObject())
                entry.object.copyChars(out + 2 * ((entry.tick - start) / step));
            return true;
        });
    }
    out[written] = '\0';
    return written;
}
