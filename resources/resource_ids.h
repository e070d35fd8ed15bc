#ifndef MF_RESOURCE_IDS_H
#define MF_RESOURCE_IDS_H
/* Shared by the resource script and the code: plain macros, as the resource compiler reads them. */

#define kAppIconId 101
#define kBackgroundImageId 200
#define kLogoImageId 201
#define kMusicResourceId 202

#endif
