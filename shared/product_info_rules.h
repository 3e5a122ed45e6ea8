// Product information record, its defaults and ranges, and the "%P%"/"%C%" text templates.
// Win32-free: built natively and unit-tested there.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int TEXT_BUFFER_SIZE = 260;   // the platform's path limit, with the terminator

struct ProductInfoRecord {
    int32_t MouseXD;
    int32_t InfoPage;
    char CompanyName[TEXT_BUFFER_SIZE];
    char ProductName[TEXT_BUFFER_SIZE];
    char Version[TEXT_BUFFER_SIZE];
    char CompanyPage[TEXT_BUFFER_SIZE];
    char WebSite[TEXT_BUFFER_SIZE];
};

constexpr int32_t DEFAULT_MOUSE_XD = 3;
constexpr int32_t DEFAULT_INFO_PAGE = 1;
#define DEFAULT_VERSION_TEXT "Version 1.2"

void SetDefaultProductInfo(ProductInfoRecord &info);
bool MouseXDAccepts(int32_t value);     // 2 to 5
bool InfoPageAccepts(int32_t value);    // 0 to 1

// Copies text into a field of TEXT_BUFFER_SIZE, cutting it to fit.
void CopyText(char *dest, size_t destSize, const char *src);

// Replaces the first "%P%" with product, or else the first "%C%" with company. The source is
// first taken as at most 259 characters, as from the 260-character work buffer. When the
// result does not fit outSize (with the terminator), the replacement is shortened so the
// template's own words survive; if those alone do not fit, the end is cut. Never writes
// more than outSize bytes. source and out may be the same buffer.
void ExpandTemplateText(const char *source, const char *product, const char *company,
                        char *out, size_t outSize);
