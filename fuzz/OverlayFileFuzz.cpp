#include "FuzzCheck.h"
#include "analysis/OverlayFile.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

// An overlay file is read whole or not at all, and what is read is finite and in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const OverlayFile::Result result = OverlayFile::Parse(in);
    if (result.status != OverlayFile::Status::Read) {
        FUZZ_CHECK(result.points.empty(), "a refused file gives no points");
        return 0;
    }
    for (size_t i = 0; i < result.points.size(); ++i) {
        const OverlayData& point = result.points[i];
        FUZZ_CHECK(std::isfinite(point.wavelength) && std::isfinite(point.value),
                   "every point is finite");
        FUZZ_CHECK(i == 0 || result.points[i - 1].wavelength <= point.wavelength,
                   "points are in ascending order of wavelength");
    }
    return 0;
}
