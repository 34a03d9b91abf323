#include "lv2/state.h"

#include <lv2/atom/atom.h>

namespace lv2 {

StateKeys::StateKeys(const LV2_URID_Map& map, const PluginDescription& description)
    : bank(map.map(map.handle, description.bankKey)),
      program(map.map(map.handle, description.programKey)),
      chunk(map.map(map.handle, LV2_ATOM__Chunk)),
      integer(map.map(map.handle, LV2_ATOM__Int)) {}

}  // namespace lv2
