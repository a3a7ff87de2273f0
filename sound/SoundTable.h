// The 22 sounds of the game in load order, with the volume the frame function
// gives each at the start of every frame (-1: none; the music is faded apart).
#pragma once

struct SoundFile {
  const char* name;
  const char* file;  // as the game names it, with backslashes
  bool looping;
  int frameVolume;
};

constexpr int SoundCount = 22;

constexpr SoundFile kSoundFiles[SoundCount] = {
    {"Tree_Growing_01", "Sounds\\IceCrystal_Form4.wav", false, 50},
    {"Thunder", "Sounds\\Thunder08.wav", false, 100},
    {"Thunder2", "Sounds\\Thunder05.wav", false, 100},
    {"Thunder3", "Sounds\\Thunder02.wav", false, 50},
    {"Rain_Loop_04", "Sounds\\Rain_Loop04.wav", true, 60},
    {"GameMusic", "Sounds\\Lager1.mp3", true, -1},
    {"GameMusic2", "Sounds\\Layer 3 scary HEL.mp3", true, -1},
    {"Fire", "Sounds\\Fire_Loop14.wav", true, 1},
    {"Dead", "Sounds\\Poof_CloudDisappear.wav", false, -1},
    {"Dead2", "Sounds\\SpiritPossession7.wav", false, -1},
    {"EvilZarvo", "Sounds\\DarkMagic_SoulSteal3.wav", false, 80},
    {"GirlScream", "Sounds\\Girl_Scream1.wav", false, 80},
    {"GirlScream2", "Sounds\\Girl_Scream2.wav", false, 80},
    {"Plane_Warning", "Sounds\\Plane_P40_IdleLoop02.wav", true, 80},
    {"GainRank", "Sounds\\Pickup_MagicBells10.wav", false, 100},
    {"Explode_Sheep1", "Sounds\\Hit_SlimeSplat4.wav", false, 50},
    {"Explode_Sheep2", "Sounds\\Hit_SlimeSplat8.wav", false, 50},
    {"Explode_WetSheep1", "Sounds\\Explo_Electric1.wav", false, -1},
    {"Explode_WetSheep2", "Sounds\\Electricity_Spark_Activate.wav", false, -1},
    {"ManScream1", "Sounds\\Male_Pain_Scream10.wav", false, 80},
    {"ManScream2", "Sounds\\Male_Pain_Scream15.wav", false, 80},
    {"ManScream3", "Sounds\\Male_Pain_Scream16.wav", false, 80},
};
