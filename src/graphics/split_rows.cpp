#include "graphics/split_rows.h"

#include <exception>
#include <system_error>
#include <thread>

namespace kel {

void splitRows(int rows, std::int64_t pixels, int granule, const std::function<void(int from, int to)>& work)
{
    const int split = granule > 0 ? rows / 2 / granule * granule : rows / 2;
    if (pixels < kPixelsWorthAThread || split <= 0 || std::thread::hardware_concurrency() < 2) {
        if (rows > 0) work(0, rows);
        return;
    }
    std::exception_ptr lowerFailure;
    std::thread lower;
    try {
        lower = std::thread([&] {
            try {
                work(split, rows);
            } catch (...) {
                lowerFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        work(split, rows); // no thread to be had: the same work, in turn
    }
    try {
        work(0, split);
    } catch (...) {
        if (lower.joinable()) lower.join();
        throw;
    }
    if (lower.joinable()) lower.join();
    if (lowerFailure) std::rethrow_exception(lowerFailure);
}

} // namespace kel
