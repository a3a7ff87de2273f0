// The sprite sheets made by the loading screen, one variable per picture.
// They live from loading until shutdown.
#pragma once

class SpriteSheet;

extern SpriteSheet* zarvoWeakSheet;
extern SpriteSheet* zarvoSmallSheet;
extern SpriteSheet* zarvoMediumSheet;
extern SpriteSheet* zarvoLargeSheet;
extern SpriteSheet* boltSheet;
extern SpriteSheet* zarvoMorphSheet;
extern SpriteSheet* cherryWeakSheet;
extern SpriteSheet* cherrySmallSheet;
extern SpriteSheet* cherryMediumSheet;
extern SpriteSheet* cherryLargeSheet;
extern SpriteSheet* cherryMorphSheet;
extern SpriteSheet* lilaSheet;
extern SpriteSheet* lilaFireSheet;
extern SpriteSheet* rodSheet;
extern SpriteSheet* rodFireSheet;
extern SpriteSheet* oldSheet;
extern SpriteSheet* oldFireSheet;
extern SpriteSheet* layer1Sheet;
extern SpriteSheet* layer2Sheet;
extern SpriteSheet* layer3Sheet;
extern SpriteSheet* house1Sheet;
extern SpriteSheet* house2Sheet;
extern SpriteSheet* house3Sheet;
extern SpriteSheet* rainSheet;
extern SpriteSheet* grassSheet;
extern SpriteSheet* flagPoleSheet;
extern SpriteSheet* tree1Sheet;
extern SpriteSheet* tree2Sheet;
extern SpriteSheet* spruce1Sheet;
extern SpriteSheet* spruce2Sheet;
extern SpriteSheet* smallCloudSheet;
extern SpriteSheet* mediumCloudSheet;
extern SpriteSheet* largeCloudSheet;
extern SpriteSheet* lightningCloudSheet;
extern SpriteSheet* smallMountainSheet;
extern SpriteSheet* largeMountainSheet;
extern SpriteSheet* darkSkySheet;
extern SpriteSheet* redGlowSheet;
extern SpriteSheet* sunSheet;
extern SpriteSheet* interfaceSheet;
extern SpriteSheet* interface2Sheet;
extern SpriteSheet* fluidSheet;
extern SpriteSheet* chargesSheet;
extern SpriteSheet* particlesSheet;
extern SpriteSheet* rankSheet;
extern SpriteSheet* titleMenuSheet;
extern SpriteSheet* blackCurtainSheet;
extern SpriteSheet* sheepWalkSheet;
extern SpriteSheet* sheepDieSheet;
extern SpriteSheet* planeSheet;
extern SpriteSheet* lilaZombieSheet;
extern SpriteSheet* oldZombieSheet;
extern SpriteSheet* rodZombieSheet;
extern SpriteSheet* pictureScreenSheet;

// The variable of each row of kImageFiles, in the same order.
extern SpriteSheet** const kSheetVariables[];

// Deletes every sheet made by the loader and empties the variables.
void DeleteSheets();
