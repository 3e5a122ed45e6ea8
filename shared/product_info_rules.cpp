#include "shared/product_info_rules.h"

#include <cstring>

void SetDefaultProductInfo(ProductInfoRecord &info)
{
    info.MouseXD = DEFAULT_MOUSE_XD;
    info.InfoPage = DEFAULT_INFO_PAGE;
    info.CompanyName[0] = '\0';
    info.ProductName[0] = '\0';
    CopyText(info.Version, sizeof(info.Version), DEFAULT_VERSION_TEXT);
    info.CompanyPage[0] = '\0';
    info.WebSite[0] = '\0';
}

bool MouseXDAccepts(int32_t value) { return value >= 2 && value <= 5; }
bool InfoPageAccepts(int32_t value) { return value >= 0 && value <= 1; }

void CopyText(char *dest, size_t destSize, const char *src)
{
    if (destSize == 0)
        return;
    size_t n = strnlen(src, destSize - 1);
    memmove(dest, src, n);
    dest[n] = '\0';
}

namespace {

// Appends at most len bytes of text to out at *used, leaving room for the terminator.
void Append(char *out, size_t outSize, size_t *used, const char *text, size_t len)
{
    size_t room = outSize - 1 - *used;
    if (len > room)
        len = room;
    memcpy(out + *used, text, len);
    *used += len;
}

}  // namespace

void ExpandTemplateText(const char *source, const char *product, const char *company,
                        char *out, size_t outSize)
{
    if (outSize == 0)
        return;
    char work[TEXT_BUFFER_SIZE];
    CopyText(work, sizeof(work), source);

    const char *replacement = product;
    char *at = strstr(work, "%P%");
    if (!at) {
        at = strstr(work, "%C%");
        replacement = company;
    }
    if (!at) {
        CopyText(out, outSize, work);
        return;
    }

    size_t headLen = static_cast<size_t>(at - work);
    const char *tail = at + 3;
    size_t tailLen = strlen(tail);
    size_t replLen = strlen(replacement);
    size_t room = outSize - 1;
    size_t fixed = headLen + tailLen;
    if (fixed + replLen > room)
        replLen = fixed < room ? room - fixed : 0;

    // out may alias source; work holds the copy, replacement is another field.
    size_t used = 0;
    Append(out, outSize, &used, work, headLen);
    Append(out, outSize, &used, replacement, replLen);
    Append(out, outSize, &used, tail, tailLen);
    out[used] = '\0';
}
