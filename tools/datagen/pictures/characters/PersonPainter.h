// Paints one cartoon person of the three kinds (a girl in red, a woman in
// purple, an old man with a cane) in a pose: standing facing the viewer or
// walking to the right, dry, wet, burning, falling charred, or as a zombie.
// Left-facing frames are drawn by mirroring the canvas.
#pragma once

#include <cairo.h>

#include "tools/datagen/pictures/paint/Paint.h"

struct PersonLook {
  int kind;  // 1 red, 2 purple, 3 old man
  paint::Rgb skin, hair, top, bottom, shoes;
};

PersonLook LookOfKind(int kind);

enum class PersonMood { Calm, Wet, Burning, Zombie, Dead };
enum class PersonArms { Swing, Hang, Panic, Forward, Hug };

struct PersonPose {
  double footY = 75;   // ground line in the frame
  double x = 37.5;     // where the body stands
  bool front = false;  // standing, facing the viewer
  double walk = 0;     // walk cycle, radians
  double stride = 0;   // 0 still, 1 walking, > 1 running
  double lean = 0;     // upper body forward, radians
  PersonArms arms = PersonArms::Swing;
  double armWave = 0;  // radians, for waving arms
  PersonMood mood = PersonMood::Calm;
  double drip = 0;       // 0..1 loop of falling drops when wet
  double fire = 0;       // flames on the body, 0..1
  double firePhase = 0;  // 0..1 loop
  double charred = 0;    // 0..1 burnt black
  double fall = 0;       // 0 upright .. 1 lying on the ground, face down
  bool blink = false;
  double sway = 0;  // sideways wobble in pixels
  double breathe = 0;
  unsigned seed = 1;
};

void PaintPerson(cairo_t* cr, const PersonLook& look, const PersonPose& pose);
