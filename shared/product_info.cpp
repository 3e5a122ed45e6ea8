#include "shared/product_info.h"

ProductInfoRecord ProductInfo;

void GetProductInfoPath(char *path)
{
    char dir[TEXT_BUFFER_SIZE];
    UINT len = GetSystemDirectoryA(dir, sizeof(dir));
    if (len == 0 || len >= sizeof(dir))
        dir[0] = '\0';
    size_t dirLen = strlen(dir);
    const char *name = "\\" PRODUCT_INFO_FILE;
    CopyText(path, TEXT_BUFFER_SIZE, dir);
    CopyText(path + dirLen, TEXT_BUFFER_SIZE - dirLen, name);
}

static void ReadTextKey(const char *path, const char *key, char *field)
{
    char text[TEXT_BUFFER_SIZE];
    GetPrivateProfileStringA(PRODUCT_INFO_SECTION, key, "", text, sizeof(text), path);
    if (text[0] != '\0')
        CopyText(field, TEXT_BUFFER_SIZE, text);
}

void LoadProductInfo()
{
    SetDefaultProductInfo(ProductInfo);
    char path[TEXT_BUFFER_SIZE];
    GetProductInfoPath(path);

    int32_t mouseXD = static_cast<int32_t>(GetPrivateProfileIntA(PRODUCT_INFO_SECTION, "MouseXD", 0, path));
    if (MouseXDAccepts(mouseXD))
        ProductInfo.MouseXD = mouseXD;
    int32_t infoPage = static_cast<int32_t>(GetPrivateProfileIntA(PRODUCT_INFO_SECTION, "InfoPage", 0, path));
    if (InfoPageAccepts(infoPage))
        ProductInfo.InfoPage = infoPage;

    ReadTextKey(path, "CompanyName", ProductInfo.CompanyName);
    ReadTextKey(path, "ProductName", ProductInfo.ProductName);
    ReadTextKey(path, "Version", ProductInfo.Version);
    ReadTextKey(path, "CompanyPage", ProductInfo.CompanyPage);
    ReadTextKey(path, "WebSite", ProductInfo.WebSite);
}

void SaveWebSite()
{
    char path[TEXT_BUFFER_SIZE];
    GetProductInfoPath(path);
    WritePrivateProfileStringA(PRODUCT_INFO_SECTION, "WebSite", ProductInfo.WebSite, path);
}

void ExpandTemplate(char *text, size_t size)
{
    ExpandTemplateText(text, ProductInfo.ProductName, ProductInfo.CompanyName, text, size);
}

void LoadTemplateString(HINSTANCE instance, UINT id, char *out, int outSize)
{
    if (outSize <= 0)
        return;
    char work[TEXT_BUFFER_SIZE];
    int limit = outSize < TEXT_BUFFER_SIZE ? outSize : TEXT_BUFFER_SIZE;
    if (LoadStringA(instance, id, work, limit) <= 0)
        work[0] = '\0';
    ExpandTemplateText(work, ProductInfo.ProductName, ProductInfo.CompanyName, out,
                       static_cast<size_t>(outSize));
}
