#pragma once

#include <string>
#include <vector>

// Bound values as libpq takes them: pointers, lengths and formats (binary).
struct SWireParams {
    explicit SWireParams(const std::vector<std::string>& bound);
    int Count() const { return static_cast<int>(values.size()); }

    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
};
