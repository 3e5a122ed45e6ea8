// Product information file "MInfoCfg.ini" in the system directory, and text templates.
#pragma once
#include <windows.h>

#include "shared/product_info_rules.h"

#define PRODUCT_INFO_FILE "MInfoCfg.ini"
#define PRODUCT_INFO_SECTION "General"

extern ProductInfoRecord ProductInfo;

// The file's full path into a TEXT_BUFFER_SIZE buffer.
void GetProductInfoPath(char *path);
// Defaults first, then every key of the file that is present and acceptable.
void LoadProductInfo();
// Writes ProductInfo.WebSite as "WebSite"; an empty address is written as an empty entry.
void SaveWebSite();

// Tray program: expands text in place; size is the caller's buffer (260 or 256).
void ExpandTemplate(char *text, size_t size);
// Applet: loads string id and writes its expansion into out of outSize bytes.
void LoadTemplateString(HINSTANCE instance, UINT id, char *out, int outSize);
