#include "codecs/decode_watch.h"

namespace kel::codecs {

namespace {

thread_local DecodeWatch* currentWatch = nullptr;

} // namespace

WatchingDecodes::WatchingDecodes(DecodeWatch& watch) : previous_(currentWatch) { currentWatch = &watch; }

WatchingDecodes::~WatchingDecodes() { currentWatch = previous_; }

WatchedRows::WatchedRows(const std::uint8_t* firstRow, std::ptrdiff_t stride, int width, int height)
    : watch_(height > 0 && width > 0 ? currentWatch : nullptr), height_(height)
{
    // A watch follows one decode: any later one on this thread goes unwatched.
    currentWatch = nullptr;
    if (watch_) watch_->rowsAhead(firstRow, stride, width, height);
}

WatchedRows::~WatchedRows()
{
    if (watch_) watch_->decodeOver(finished_ == height_);
}

void WatchedRows::report(int count)
{
    finished_ = count;
    watch_->rowsFinished(count);
}

} // namespace kel::codecs
