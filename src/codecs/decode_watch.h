#pragma once
// Lets the caller of a decode follow it row by row. While a watch is set on a
// thread, a reader that writes a 24-bit picture from top to bottom on that
// thread shows the watch its rows and tells it as they are finished, so that
// other work on them (the colour count) can go on beside the decoding.
// Readers that do not take part say nothing; the watch then hears nothing.
#include <cstddef>
#include <cstdint>

namespace kel::codecs {

class DecodeWatch {
public:
    // The rows about to be decoded: `height` rows of `width` BGR pixels, `stride` bytes apart.
    virtual void rowsAhead(const std::uint8_t* firstRow, std::ptrdiff_t stride, int width, int height) = 0;
    // Rows [0, count) hold their final pixels.
    virtual void rowsFinished(int count) = 0;
    // The decode is over. Unless every row was finished, the rows are about to
    // be released: once this returns the watch no longer reads them.
    virtual void decodeOver(bool complete) = 0;

protected:
    ~DecodeWatch() = default;
};

// Sets a watch on the next decode of this thread, for its own lifetime.
class WatchingDecodes {
public:
    explicit WatchingDecodes(DecodeWatch& watch);
    ~WatchingDecodes();
    WatchingDecodes(const WatchingDecodes&) = delete;
    WatchingDecodes& operator=(const WatchingDecodes&) = delete;

private:
    DecodeWatch* previous_;
};

// A reader's side: shows the thread's watch, if any, the rows it decodes and
// says the decode is over when it goes, on success or failure alike. Declared
// after the bitmap that holds the rows, so that it goes first.
class WatchedRows {
public:
    WatchedRows(const std::uint8_t* firstRow, std::ptrdiff_t stride, int width, int height);
    ~WatchedRows();
    WatchedRows(const WatchedRows&) = delete;
    WatchedRows& operator=(const WatchedRows&) = delete;

    // Rows [0, count) are final; told to the watch sixteen rows at a time and at the last.
    void finished(int count)
    {
        if (watch_ && (count % 16 == 0 || count == height_)) report(count);
    }

private:
    void report(int count);

    DecodeWatch* watch_;
    int height_;
    int finished_ = 0;
};

} // namespace kel::codecs
