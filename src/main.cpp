#include "platform/System.h"
#include "screens/ProgramEntry.h"

int main(int argc, char** argv) {
  // The desktop id of the menu entry and icons, so the window is grouped with them.
  platform::SetApplicationId(MARROWDECK_APP_ID);
  return ProgramEntry(argc, argv);
}
