// The resource roles the rest of the game reads.
#include "resources/resources.h"

ResourcePack* resource_pack;
const uint8_t* GamePalette;
PackTable MothImages[5];
PackTable SwapFadeImages[5];
PackTable SelectionRingImages;
const uint8_t* GameBackground;
PackTable MenuButtonImages;
PackTable MenuItemImages[4];
PackTable MenuToggleImages;
PackTable ColumnImages[10];
const ImageRecord* PointerImage;
PackTable DigitImages;
PackTable FontGlyphs;
PackTable SoundBank;
PackTable ScoreScreenImages;
PackTable SpeedSliderImages;
PackTable MenuImages;
PackTable TransitionImages;
PackTable ScoreTexts;
PackTable MainScreenImages;
PackTable FlightImages;
const ImageRecord* TitlePicture;
uint8_t* TitlePalette;
Font GameFont;

ResourcePack* LogoPack;
const uint8_t* LogoPalette;
PackTable LogoImages;

bool sound_sample(int k, const uint8_t** start, uint32_t* length)
{
    if (k < 0 || k + 1 >= SoundBank.count)
        return false;
    *start = SoundBank.items[k];
    *length = (uint32_t)(SoundBank.items[k + 1] - SoundBank.items[k]);
    return true;
}
