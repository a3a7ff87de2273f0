// The 54 pictures of the game with their frame grids and sizes, in load order.
// Shared by the loader and the data generator so that names, grids and sizes
// never disagree.
#pragma once

struct ImageFile {
  const char* file;  // as the game names it, with backslashes
  int framesX;
  int framesY;
  int width;  // the size the game draws it at; a picture of another size is refused
  int height;
};

constexpr int ImageCount = 54;

constexpr ImageFile kImageFiles[ImageCount] = {
    {"Images\\lilla_zarvo_doende_anim.png", 20, 1, 3000, 90},
    {"Images\\lilla_zarvo_normal_anim.png", 20, 1, 3000, 90},
    {"Images\\mellan_zarvo_anim.png", 20, 1, 3400, 105},
    {"Images\\stora_zarvo_anim_ny.png", 12, 3, 2640, 480},
    {"Images\\grumsblixt.png", 2, 1, 320, 320},
    {"Images\\moln_morph.png", 21, 1, 4620, 160},
    {"Images\\lilla_cherry_doende_anim.png", 20, 1, 3000, 90},
    {"Images\\lilla_cherry_normal_anim.png", 20, 1, 3000, 90},
    {"Images\\mellan_cherry_anim.png", 20, 1, 3400, 105},
    {"Images\\stora_cherry_anim_ny.png", 12, 3, 2640, 480},
    {"Images\\moln_morph_cherry.png", 21, 1, 4620, 160},
    {"Images\\Persons\\mLila.png", 8, 6, 600, 450},
    {"Images\\Persons\\mLilaFire.png", 6, 4, 450, 400},
    {"Images\\Persons\\mRod.png", 8, 6, 600, 450},
    {"Images\\Persons\\mRodFire.png", 6, 4, 450, 400},
    {"Images\\Persons\\mOld.png", 8, 6, 600, 450},
    {"Images\\Persons\\mOldFire.png", 6, 4, 450, 400},
    {"Images\\bakgrund_lager01.png", 1, 2, 7087, 1536},
    {"Images\\bakgrund_lager02.png", 1, 2, 4246, 1536},
    {"Images\\bakgrund_lager03.png", 1, 2, 3999, 1536},
    {"Images\\hus_anim_01.png", 9, 1, 1080, 300},
    {"Images\\hus_anim_02.png", 11, 2, 3300, 600},
    {"Images\\hus_anim_03.png", 9, 1, 1080, 300},
    {"Images\\rain_solo_super_mini.png", 1, 1, 8, 14},
    {"Images\\Grass.png", 1, 1, 1024, 286},
    {"Images\\flag_pole_anim.png", 7, 1, 420, 150},
    {"Images\\tree1 alla animationer.png", 21, 5, 3150, 1500},
    {"Images\\tree2 alla animationer.png", 21, 5, 3150, 1500},
    {"Images\\gran1 alla animationer.png", 21, 5, 3150, 1500},
    {"Images\\gran2 alla animationer.png", 21, 5, 3150, 1500},
    {"Images\\litet_energimoln.png", 3, 1, 249, 46},
    {"Images\\mellan_energimoln.png", 3, 1, 255, 53},
    {"Images\\stort_energimoln.png", 3, 1, 381, 64},
    {"Images\\blixt_energimoln.png", 3, 1, 381, 64},
    {"Images\\berg_litet.png", 1, 1, 541, 400},
    {"Images\\berg_stort.png", 1, 1, 650, 600},
    {"Images\\darksky.png", 1, 1, 1024, 768},
    {"Images\\redglow2.png", 1, 1, 1024, 768},
    {"Images\\da_sun.png", 17, 1, 3740, 200},
    {"Images\\interface.png", 1, 1, 150, 580},
    {"Images\\interface2.png", 1, 1, 150, 580},
    {"Images\\engery_fluid.png", 1, 1, 40, 500},
    {"Images\\blixt_powerup.png", 11, 1, 1650, 70},
    {"particles.png", 4, 4, 128, 128},
    {"Images\\MOLNRANK.png", 13, 1, 1300, 100},
    {"Images\\startmeny.png", 9, 4, 2340, 640},
    {"Images\\BlackCurtain.png", 1, 1, 1024, 768},
    {"Images\\sheep_walk_anim.png", 13, 6, 975, 450},
    {"Images\\sheep_die_anim.png", 8, 6, 600, 450},
    {"Images\\PropellerPlane.png", 4, 1, 1056, 137},
    {"Images\\Persons\\mLilaZombie.png", 8, 6, 600, 450},
    {"Images\\Persons\\mOldZombie.png", 8, 6, 600, 450},
    {"Images\\Persons\\mRodZombie.png", 8, 6, 600, 450},
    {"Images\\mall_unfinished.png", 1, 1, 1024, 768},
};

// The credits picture is loaded by the credits screen itself, not by the loader.
constexpr ImageFile kCreditsImage = {"Images\\credits.png", 1, 1, 1024, 768};
