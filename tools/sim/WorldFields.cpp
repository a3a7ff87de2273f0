// Stand-in: replaced with the scenery's, mountain's, plane's and energy clouds' fields.
#include "tools/sim/Fields.h"

FieldList SceneryFields() { return {}; }
FieldList MountainFields() { return {}; }
FieldList PlaneFields() { return {}; }
FieldList SpawnFields() { return {}; }
