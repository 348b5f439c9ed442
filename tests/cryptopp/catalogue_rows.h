#pragma once

#include <cstdint>

// The published catalogue, written out by hand: the algorithms as users
// and other programs know them. Block size 0 marks a stream cipher; hash is
// the id of the SHA-3 digest that turns a password into the key.
namespace qmtest {

struct CatalogueRow {
  uint32_t id;
  const char* name;
  int32_t key;
  int32_t iv;
  uint32_t block;
  uint32_t hash;
};

inline constexpr CatalogueRow kCatalogue[] = {
    {50, "Panama", 32, 32, 0, 21},          {100, "Sosemanuk-128", 16, 16, 0, 20},
    {101, "Sosemanuk-192", 24, 16, 0, 20},  {102, "Sosemanuk-256", 32, 16, 0, 21},
    {150, "Salsa20-128", 16, 8, 0, 20},     {151, "Salsa20-256", 32, 8, 0, 21},
    {200, "XSalsa20", 32, 24, 0, 21},       {250, "AES-128", 16, 16, 16, 20},
    {251, "AES-192", 24, 16, 16, 20},       {252, "AES-256", 32, 16, 16, 21},
    {300, "RC6-128", 16, 16, 16, 20},       {301, "RC6-192", 24, 16, 16, 20},
    {302, "RC6-256", 32, 16, 16, 21},       {303, "RC6-384", 48, 16, 16, 22},
    {304, "RC6-512", 64, 16, 16, 23},       {350, "MARS-128", 16, 16, 16, 20},
    {351, "MARS-192", 24, 16, 16, 20},      {352, "MARS-256", 32, 16, 16, 21},
    {353, "MARS-384", 48, 16, 16, 22},      {354, "MARS-448", 56, 16, 16, 23},
    {400, "Twofish-128", 16, 16, 16, 20},   {401, "Twofish-192", 24, 16, 16, 20},
    {402, "Twofish-256", 32, 16, 16, 21},   {450, "Serpent-128", 16, 16, 16, 20},
    {451, "Serpent-192", 24, 16, 16, 20},   {452, "Serpent-256", 32, 16, 16, 21},
    {500, "CAST-128", 16, 8, 8, 20},        {501, "CAST-256", 32, 16, 16, 21},
    {550, "IDEA", 16, 8, 8, 20},            {600, "DES_EDE2", 16, 8, 8, 20},
    {601, "DES_EDE3", 24, 8, 8, 20},        {650, "Camellia-128", 16, 16, 16, 20},
    {651, "Camellia-192", 24, 16, 16, 20},  {652, "Camellia-256", 32, 16, 16, 21},
    {700, "SEED", 16, 16, 16, 20},          {750, "RC5-128", 16, 8, 8, 20},
    {751, "RC5-192", 24, 8, 8, 20},         {752, "RC5-256", 32, 8, 8, 21},
    {753, "RC5-384", 48, 8, 8, 22},         {754, "RC5-512", 64, 8, 8, 23},
    {800, "Blowfish-128", 16, 8, 8, 20},    {801, "Blowfish-192", 24, 8, 8, 20},
    {802, "Blowfish-256", 32, 8, 8, 21},    {803, "Blowfish-384", 48, 8, 8, 22},
    {804, "Blowfish-448", 56, 8, 8, 23},    {850, "Skipjack", 10, 8, 8, 20},
    {900, "SHACAL2-128", 16, 32, 32, 20},   {901, "SHACAL2-192", 24, 32, 32, 20},
    {902, "SHACAL2-256", 32, 32, 32, 21},   {903, "SHACAL2-384", 48, 32, 32, 22},
    {904, "SHACAL2-512", 64, 32, 32, 23},   {950, "TEA", 16, 8, 8, 20},
    {951, "XTEA", 16, 8, 8, 20},            {1000, "GOST-28147-89", 32, 8, 8, 21},
};

inline const char* HashNameOf(uint32_t hash) {
  switch (hash) {
    case 20: return "SHA3-224";
    case 21: return "SHA3-256";
    case 22: return "SHA3-384";
    default: return "SHA3-512";
  }
}

}  // namespace qmtest
