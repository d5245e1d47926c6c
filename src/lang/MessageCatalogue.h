#pragma once
// The English text of every message identifier.

struct CatalogueEntry {
    int id;
    int variant;  // 0, or 1 for the second text of an identifier that has two
    const char* text;
};

const CatalogueEntry* CatalogueBegin();
const CatalogueEntry* CatalogueEnd();

// The English text of id, or nullptr when the catalogue has none.
const char* CatalogueText(int id, int variant = 0);
