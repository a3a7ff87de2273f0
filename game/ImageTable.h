// The 54 pictures of the game with their frame grids, in load order. Shared by
// the loader and the data generator so that names and grids never disagree.
#pragma once

struct ImageFile {
  const char* file;  // as the game names it, with backslashes
  int framesX;
  int framesY;
};

constexpr int ImageCount = 54;

constexpr ImageFile kImageFiles[ImageCount] = {
    {"Images\\lilla_zarvo_doende_anim.png", 20, 1},
    {"Images\\lilla_zarvo_normal_anim.png", 20, 1},
    {"Images\\mellan_zarvo_anim.png", 20, 1},
    {"Images\\stora_zarvo_anim_ny.png", 12, 3},
    {"Images\\grumsblixt.png", 2, 1},
    {"Images\\moln_morph.png", 21, 1},
    {"Images\\lilla_cherry_doende_anim.png", 20, 1},
    {"Images\\lilla_cherry_normal_anim.png", 20, 1},
    {"Images\\mellan_cherry_anim.png", 20, 1},
    {"Images\\stora_cherry_anim_ny.png", 12, 3},
    {"Images\\moln_morph_cherry.png", 21, 1},
    {"Images\\Persons\\mLila.png", 8, 6},
    {"Images\\Persons\\mLilaFire.png", 6, 4},
    {"Images\\Persons\\mRod.png", 8, 6},
    {"Images\\Persons\\mRodFire.png", 6, 4},
    {"Images\\Persons\\mOld.png", 8, 6},
    {"Images\\Persons\\mOldFire.png", 6, 4},
    {"Images\\bakgrund_lager01.png", 1, 2},
    {"Images\\bakgrund_lager02.png", 1, 2},
    {"Images\\bakgrund_lager03.png", 1, 2},
    {"Images\\hus_anim_01.png", 9, 1},
    {"Images\\hus_anim_02.png", 11, 2},
    {"Images\\hus_anim_03.png", 9, 1},
    {"Images\\rain_solo_super_mini.png", 1, 1},
    {"Images\\Grass.png", 1, 1},
    {"Images\\flag_pole_anim.png", 7, 1},
    {"Images\\tree1 alla animationer.png", 21, 5},
    {"Images\\tree2 alla animationer.png", 21, 5},
    {"Images\\gran1 alla animationer.png", 21, 5},
    {"Images\\gran2 alla animationer.png", 21, 5},
    {"Images\\litet_energimoln.png", 3, 1},
    {"Images\\mellan_energimoln.png", 3, 1},
    {"Images\\stort_energimoln.png", 3, 1},
    {"Images\\blixt_energimoln.png", 3, 1},
    {"Images\\berg_litet.png", 1, 1},
    {"Images\\berg_stort.png", 1, 1},
    {"Images\\darksky.png", 1, 1},
    {"Images\\redglow2.png", 1, 1},
    {"Images\\da_sun.png", 17, 1},
    {"Images\\interface.png", 1, 1},
    {"Images\\interface2.png", 1, 1},
    {"Images\\engery_fluid.png", 1, 1},
    {"Images\\blixt_powerup.png", 11, 1},
    {"particles.png", 4, 4},
    {"Images\\MOLNRANK.png", 13, 1},
    {"Images\\startmeny.png", 9, 4},
    {"Images\\BlackCurtain.png", 1, 1},
    {"Images\\sheep_walk_anim.png", 13, 6},
    {"Images\\sheep_die_anim.png", 8, 6},
    {"Images\\PropellerPlane.png", 4, 1},
    {"Images\\Persons\\mLilaZombie.png", 8, 6},
    {"Images\\Persons\\mOldZombie.png", 8, 6},
    {"Images\\Persons\\mRodZombie.png", 8, 6},
    {"Images\\mall_unfinished.png", 1, 1},
};

// The credits picture is loaded by the credits screen itself, not by the loader.
constexpr ImageFile kCreditsImage = {"Images\\credits.png", 1, 1};
