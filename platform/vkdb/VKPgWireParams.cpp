#include "vkdb/VKPgWireParams.h"

SWireParams::SWireParams(const std::vector<std::string>& bound)
    : values(bound.size()), lengths(bound.size()), formats(bound.size(), 1)
{
    for (std::size_t i = 0; i < bound.size(); ++i) {
        values[i] = bound[i].data();
        lengths[i] = static_cast<int>(bound[i].size());
    }
}
