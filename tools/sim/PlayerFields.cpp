// The simulator's view of the player clouds (with their lightning) and of the
// rain: every field by name, for `dump` and `set`. The rain also offers
// "addDrop X Y OWNER" to place a drop exactly where a test needs it.
#include <set>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "game/World.h"
#include "objects/Lightning.h"
#include "objects/PlayerCloud.h"
#include "objects/Rain.h"
#include "tools/sim/Fields.h"

namespace {

bool ParseFloat(const std::string& word, float* out) {
  try {
    size_t used = 0;
    *out = std::stof(word, &used);
    return used == word.size();
  } catch (...) {
    return false;
  }
}

bool ParseInt(const std::string& word, int32_t* out) {
  try {
    size_t used = 0;
    *out = std::stoi(word, &used);
    return used == word.size();
  } catch (...) {
    return false;
  }
}

nlohmann::json VectorJson(const hgeVector& v) {
  return nlohmann::json::array({FloatJson(v.x), FloatJson(v.y)});
}

// The set of requested animations as an array of codes in ascending order;
// set replaces the whole set with the codes given ("none" empties it).
Field AnimRequestsField(std::set<CloudAnim>& requests) {
  return Field{"animRequests",
               [&requests] {
                 nlohmann::json codes = nlohmann::json::array();
                 for (CloudAnim a : requests) codes.push_back(static_cast<int32_t>(a));
                 return codes;
               },
               [&requests](const std::vector<std::string>& words) {
                 std::set<CloudAnim> parsed;
                 if (words.size() == 1 && words[0] == "none") {
                   requests.clear();
                   return true;
                 }
                 for (const std::string& w : words) {
                   int32_t code = 0;
                   if (!ParseInt(w, &code) || code < 0 || code > 12) return false;
                   parsed.insert(static_cast<CloudAnim>(code));
                 }
                 requests = parsed;
                 return true;
               },
               nullptr};
}

FieldList LightningFields(Lightning& l) {
  return {MakeField("active", l.active),
          MakeField("phase", l.phase),
          MakeField("charges", l.charges),
          MakeField("boltPosition", l.boltPosition),
          MakeField("phaseTime", l.phaseTime),
          MakeField("phaseDuration", l.phaseDuration),
          MakeField("lastCastTime", l.lastCastTime),
          MakeField("coolDown", l.coolDown),
          MakeReadOnly("owner",
                       [&l] { return l.owner ? nlohmann::json(l.owner->playerNumber) : nullptr; }),
          MakeReadOnly("sparks", [&l] { return l.sparks != nullptr; })};
}

nlohmann::json DropJson(const RainDrop& d) {
  return {{"position", VectorJson(d.position)}, {"velocity", VectorJson(d.velocity)},
          {"size", VectorJson(d.size)},         {"acceleration", VectorJson(d.acceleration)},
          {"drawOffset", d.drawOffset},         {"owner", d.owner}};
}

}  // namespace

FieldList PlayerCloudFields(PlayerCloud& c) {
  FieldList fields = GameObjectFields(c, "PlayerCloud");
  FieldList own = {
      MakeField("velocity", c.velocity),
      MakeField("acceleration", c.acceleration),
      MakeField("energy", c.energy),
      MakeField("deadSoundPlayed", c.deadSoundPlayed),
      MakeField("frameTime", c.frameTime),
      MakeField("frameDuration", c.frameDuration),
      MakeField("frame", c.frame),
      MakeField("frameStep", c.frameStep),
      MakeField("rank", c.rank),
      MakeEnumField("state", c.state),
      MakeEnumField("currentAnim", c.currentAnim),
      AnimRequestsField(c.animRequests),
      MakeObjectField("lightning", [&c] { return LightningFields(*c.lightning); }),
      MakeField("playerNumber", c.playerNumber),
      MakeField("score", c.score),
  };
  fields.insert(fields.end(), own.begin(), own.end());
  return fields;
}

FieldList RainFields() {
  return {
      Field{"drops",
            [] {
              nlohmann::json list = nlohmann::json::array();
              for (const RainDrop& d : rain.drops) list.push_back(DropJson(d));
              return list;
            },
            // "set rain.drops clear" empties the list as a new game does.
            [](const std::vector<std::string>& words) {
              if (words.size() != 1 || words[0] != "clear") return false;
              rain.Clear();
              return true;
            },
            nullptr},
      MakeReadOnly("dropCount", [] { return rain.drops.size(); }),
      MakeField("loopPlaying", rain.loopPlaying),
      // "set rain.addDrop X Y OWNER": a drop of that player's cloud with its
      // top-left corner at (X, Y), made as AddDrops makes one, drawn unshifted.
      Field{"addDrop", nullptr,  // set-only: not part of the dump
            [](const std::vector<std::string>& words) {
              RainDrop d;
              if (words.size() != 3 || !ParseFloat(words[0], &d.position.x) ||
                  !ParseFloat(words[1], &d.position.y) || !ParseInt(words[2], &d.owner)) {
                return false;
              }
              d.velocity = hgeVector(0, rainDropSpeed);
              d.size = hgeVector(13, 13);
              d.acceleration = hgeVector(rainWind, rainGravity);
              d.drawOffset = 0;
              rain.drops.push_back(d);
              return true;
            },
            nullptr},
  };
}
