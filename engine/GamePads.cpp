// Game pads: SDL game controllers, hot-plugged. The first pad connected sits
// in seat 0 and the second in seat 1; a pad that leaves frees its seat for the
// next one. Their state is read once at the start of every frame, before the
// key sources that turn it into keys. Headless runs see only virtual pads,
// which tests and the simulator attach.
#include <SDL.h>

#include "engine/EngineCore.h"

using engine::CORE;

namespace {

constexpr int kSeats = 2;
constexpr Sint16 kStickDeadZone = 16000;  // half-way: a stick counts as a d-pad

SDL_GameController* seats[kSeats] = {};
bool held[kSeats][pads::kControls] = {};
std::vector<SDL_Joystick*> virtualPads;

bool SeatTaken(SDL_JoystickID id) {
  for (SDL_GameController* pad : seats)
    if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return true;
  return false;
}

void ReadSeat(int seat) {
  SDL_GameController* pad = seats[seat];
  bool* h = held[seat];
  auto button = [pad](SDL_GameControllerButton b) {
    return SDL_GameControllerGetButton(pad, b) != 0;
  };
  const Sint16 x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
  const Sint16 y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
  h[pads::kSouth] = button(SDL_CONTROLLER_BUTTON_A);
  h[pads::kEast] = button(SDL_CONTROLLER_BUTTON_B);
  h[pads::kWest] = button(SDL_CONTROLLER_BUTTON_X);
  h[pads::kNorth] = button(SDL_CONTROLLER_BUTTON_Y);
  h[pads::kBack] = button(SDL_CONTROLLER_BUTTON_BACK);
  h[pads::kStart] = button(SDL_CONTROLLER_BUTTON_START);
  h[pads::kUp] = button(SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kStickDeadZone;
  h[pads::kDown] = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kStickDeadZone;
  h[pads::kLeft] = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickDeadZone;
  h[pads::kRight] = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickDeadZone;
}

}  // namespace

namespace engine {

void OpenPads() {
  // A real window listens for pads; headless runs only once a virtual pad comes.
  if (!Headless() && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
    CORE.st->sdlSubsystems |= SDL_INIT_GAMECONTROLLER;
}

void UpdatePads() {
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
  SDL_GameControllerUpdate();  // also finds pads plugged in or pulled out
  for (int seat = 0; seat < kSeats; ++seat) {
    if (seats[seat] && !SDL_GameControllerGetAttached(seats[seat])) {
      SDL_GameControllerClose(seats[seat]);
      seats[seat] = nullptr;
    }
  }
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i) || SeatTaken(SDL_JoystickGetDeviceInstanceID(i))) continue;
    for (int seat = 0; seat < kSeats; ++seat) {
      if (seats[seat]) continue;
      seats[seat] = SDL_GameControllerOpen(i);
      if (seats[seat])
        CORE.iface.System_Log("Game pad \"%s\" drives player %d",
                              SDL_GameControllerName(seats[seat]), seat + 1);
      break;
    }
  }
  for (int seat = 0; seat < kSeats; ++seat) {
    if (seats[seat])
      ReadSeat(seat);
    else
      std::fill(std::begin(held[seat]), std::end(held[seat]), false);
  }
  // Headless runs read no events: keep the queue from filling with pad motion.
  if (Headless()) SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
}

void ClosePads() {
  for (SDL_GameController*& pad : seats) {
    if (pad) SDL_GameControllerClose(pad);
    pad = nullptr;
  }
  for (auto& seat : held) std::fill(std::begin(seat), std::end(seat), false);
}

}  // namespace engine

namespace pads {

bool Connected(int seat) { return seat >= 0 && seat < kSeats && seats[seat]; }

bool Held(int seat, int control) {
  return Connected(seat) && control >= 0 && control < kControls && held[seat][control];
}

}  // namespace pads

namespace headless {

int AttachVirtualPad() {
  // A headless window never has the focus SDL wants before it passes pad input on.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER) && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    return -1;
  if (CORE.st) CORE.st->sdlSubsystems |= SDL_INIT_GAMECONTROLLER;
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  SDL_Joystick* stick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (!stick) return -1;
  virtualPads.push_back(stick);
  return static_cast<int>(virtualPads.size()) - 1;
}

void SetVirtualPad(int pad, int control, bool down) {
  if (pad < 0 || pad >= static_cast<int>(virtualPads.size()) || !virtualPads[pad]) return;
  static const SDL_GameControllerButton kButtons[pads::kControls] = {
      SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,
      SDL_CONTROLLER_BUTTON_X,         SDL_CONTROLLER_BUTTON_Y,
      SDL_CONTROLLER_BUTTON_BACK,      SDL_CONTROLLER_BUTTON_START,
      SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
      SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT};
  if (control >= 0 && control < pads::kControls)
    SDL_JoystickSetVirtualButton(virtualPads[pad], kButtons[control], down ? 1 : 0);
}

void DetachVirtualPad(int pad) {
  if (pad < 0 || pad >= static_cast<int>(virtualPads.size()) || !virtualPads[pad]) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(virtualPads[pad]);
  SDL_JoystickClose(virtualPads[pad]);
  virtualPads[pad] = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
}

}  // namespace headless
