// Storage of the loaded sprite sheets.
#include "game/Sheets.h"

#include "game/ImageTable.h"
#include "gfx/SpriteSheet.h"

SpriteSheet* zarvoWeakSheet;
SpriteSheet* zarvoSmallSheet;
SpriteSheet* zarvoMediumSheet;
SpriteSheet* zarvoLargeSheet;
SpriteSheet* boltSheet;
SpriteSheet* zarvoMorphSheet;
SpriteSheet* cherryWeakSheet;
SpriteSheet* cherrySmallSheet;
SpriteSheet* cherryMediumSheet;
SpriteSheet* cherryLargeSheet;
SpriteSheet* cherryMorphSheet;
SpriteSheet* lilaSheet;
SpriteSheet* lilaFireSheet;
SpriteSheet* rodSheet;
SpriteSheet* rodFireSheet;
SpriteSheet* oldSheet;
SpriteSheet* oldFireSheet;
SpriteSheet* layer1Sheet;
SpriteSheet* layer2Sheet;
SpriteSheet* layer3Sheet;
SpriteSheet* house1Sheet;
SpriteSheet* house2Sheet;
SpriteSheet* house3Sheet;
SpriteSheet* rainSheet;
SpriteSheet* grassSheet;
SpriteSheet* flagPoleSheet;
SpriteSheet* tree1Sheet;
SpriteSheet* tree2Sheet;
SpriteSheet* spruce1Sheet;
SpriteSheet* spruce2Sheet;
SpriteSheet* smallCloudSheet;
SpriteSheet* mediumCloudSheet;
SpriteSheet* largeCloudSheet;
SpriteSheet* lightningCloudSheet;
SpriteSheet* smallMountainSheet;
SpriteSheet* largeMountainSheet;
SpriteSheet* darkSkySheet;
SpriteSheet* redGlowSheet;
SpriteSheet* sunSheet;
SpriteSheet* interfaceSheet;
SpriteSheet* interface2Sheet;
SpriteSheet* fluidSheet;
SpriteSheet* chargesSheet;
SpriteSheet* particlesSheet;
SpriteSheet* rankSheet;
SpriteSheet* titleMenuSheet;
SpriteSheet* blackCurtainSheet;
SpriteSheet* sheepWalkSheet;
SpriteSheet* sheepDieSheet;
SpriteSheet* planeSheet;
SpriteSheet* lilaZombieSheet;
SpriteSheet* oldZombieSheet;
SpriteSheet* rodZombieSheet;
SpriteSheet* pictureScreenSheet;

SpriteSheet** const kSheetVariables[ImageCount] = {
    &zarvoWeakSheet,     &zarvoSmallSheet,    &zarvoMediumSheet,    &zarvoLargeSheet,
    &boltSheet,          &zarvoMorphSheet,    &cherryWeakSheet,     &cherrySmallSheet,
    &cherryMediumSheet,  &cherryLargeSheet,   &cherryMorphSheet,    &lilaSheet,
    &lilaFireSheet,      &rodSheet,           &rodFireSheet,        &oldSheet,
    &oldFireSheet,       &layer1Sheet,        &layer2Sheet,         &layer3Sheet,
    &house1Sheet,        &house2Sheet,        &house3Sheet,         &rainSheet,
    &grassSheet,         &flagPoleSheet,      &tree1Sheet,          &tree2Sheet,
    &spruce1Sheet,       &spruce2Sheet,       &smallCloudSheet,     &mediumCloudSheet,
    &largeCloudSheet,    &lightningCloudSheet, &smallMountainSheet, &largeMountainSheet,
    &darkSkySheet,       &redGlowSheet,       &sunSheet,            &interfaceSheet,
    &interface2Sheet,    &fluidSheet,         &chargesSheet,        &particlesSheet,
    &rankSheet,          &titleMenuSheet,     &blackCurtainSheet,   &sheepWalkSheet,
    &sheepDieSheet,      &planeSheet,         &lilaZombieSheet,     &oldZombieSheet,
    &rodZombieSheet,     &pictureScreenSheet,
};

void DeleteSheets() {
  for (SpriteSheet** variable : kSheetVariables) {
    delete *variable;
    *variable = nullptr;
  }
}
