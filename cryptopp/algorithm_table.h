#pragma once

// The one list of the 54 algorithms. Every consumer (catalogue, names,
// engines, factories) expands this table; nothing else enumerates them.
//
// QM_X(id, name, keyBytes, ivBytes, blockBytes, CipherClass)
//   blockBytes 0 marks a stream cipher: both directions use
//   CipherClass::Encryption. Otherwise the cipher runs in CBC mode:
//   CBC_Mode<CipherClass>::Encryption and ::Decryption.
//   CipherClass is only named, never used, outside the engine sources,
//   so including this header needs no Crypto++ header.
//   Rc6AnyKey is RC6 accepting keys of 0 to 255 bytes (see rc6_any_key.h).
// clang-format off
#define QM_FOR_EACH_ALGORITHM(QM_X)                                           \
  QM_X(50, "Panama", 32, 32, 0, CryptoPP::PanamaCipher<CryptoPP::LittleEndian>) \
  QM_X(100, "Sosemanuk-128", 16, 16, 0, CryptoPP::Sosemanuk)                  \
  QM_X(101, "Sosemanuk-192", 24, 16, 0, CryptoPP::Sosemanuk)                  \
  QM_X(102, "Sosemanuk-256", 32, 16, 0, CryptoPP::Sosemanuk)                  \
  QM_X(150, "Salsa20-128", 16, 8, 0, CryptoPP::Salsa20)                       \
  QM_X(151, "Salsa20-256", 32, 8, 0, CryptoPP::Salsa20)                       \
  QM_X(200, "XSalsa20", 32, 24, 0, CryptoPP::XSalsa20)                        \
  QM_X(250, "AES-128", 16, 16, 16, CryptoPP::Rijndael)                        \
  QM_X(251, "AES-192", 24, 16, 16, CryptoPP::Rijndael)                        \
  QM_X(252, "AES-256", 32, 16, 16, CryptoPP::Rijndael)                        \
  QM_X(300, "RC6-128", 16, 16, 16, Rc6AnyKey)                                 \
  QM_X(301, "RC6-192", 24, 16, 16, Rc6AnyKey)                                 \
  QM_X(302, "RC6-256", 32, 16, 16, Rc6AnyKey)                                 \
  QM_X(303, "RC6-384", 48, 16, 16, Rc6AnyKey)                                 \
  QM_X(304, "RC6-512", 64, 16, 16, Rc6AnyKey)                                 \
  QM_X(350, "MARS-128", 16, 16, 16, CryptoPP::MARS)                           \
  QM_X(351, "MARS-192", 24, 16, 16, CryptoPP::MARS)                           \
  QM_X(352, "MARS-256", 32, 16, 16, CryptoPP::MARS)                           \
  QM_X(353, "MARS-384", 48, 16, 16, CryptoPP::MARS)                           \
  QM_X(354, "MARS-448", 56, 16, 16, CryptoPP::MARS)                           \
  QM_X(400, "Twofish-128", 16, 16, 16, CryptoPP::Twofish)                     \
  QM_X(401, "Twofish-192", 24, 16, 16, CryptoPP::Twofish)                     \
  QM_X(402, "Twofish-256", 32, 16, 16, CryptoPP::Twofish)                     \
  QM_X(450, "Serpent-128", 16, 16, 16, CryptoPP::Serpent)                     \
  QM_X(451, "Serpent-192", 24, 16, 16, CryptoPP::Serpent)                     \
  QM_X(452, "Serpent-256", 32, 16, 16, CryptoPP::Serpent)                     \
  QM_X(500, "CAST-128", 16, 8, 8, CryptoPP::CAST128)                          \
  QM_X(501, "CAST-256", 32, 16, 16, CryptoPP::CAST256)                        \
  QM_X(550, "IDEA", 16, 8, 8, CryptoPP::IDEA)                                 \
  QM_X(600, "DES_EDE2", 16, 8, 8, CryptoPP::DES_EDE2)                         \
  QM_X(601, "DES_EDE3", 24, 8, 8, CryptoPP::DES_EDE3)                         \
  QM_X(650, "Camellia-128", 16, 16, 16, CryptoPP::Camellia)                   \
  QM_X(651, "Camellia-192", 24, 16, 16, CryptoPP::Camellia)                   \
  QM_X(652, "Camellia-256", 32, 16, 16, CryptoPP::Camellia)                   \
  QM_X(700, "SEED", 16, 16, 16, CryptoPP::SEED)                               \
  QM_X(750, "RC5-128", 16, 8, 8, CryptoPP::RC5)                               \
  QM_X(751, "RC5-192", 24, 8, 8, CryptoPP::RC5)                               \
  QM_X(752, "RC5-256", 32, 8, 8, CryptoPP::RC5)                               \
  QM_X(753, "RC5-384", 48, 8, 8, CryptoPP::RC5)                               \
  QM_X(754, "RC5-512", 64, 8, 8, CryptoPP::RC5)                               \
  QM_X(800, "Blowfish-128", 16, 8, 8, CryptoPP::Blowfish)                     \
  QM_X(801, "Blowfish-192", 24, 8, 8, CryptoPP::Blowfish)                     \
  QM_X(802, "Blowfish-256", 32, 8, 8, CryptoPP::Blowfish)                     \
  QM_X(803, "Blowfish-384", 48, 8, 8, CryptoPP::Blowfish)                     \
  QM_X(804, "Blowfish-448", 56, 8, 8, CryptoPP::Blowfish)                     \
  QM_X(850, "Skipjack", 10, 8, 8, CryptoPP::SKIPJACK)                         \
  QM_X(900, "SHACAL2-128", 16, 32, 32, CryptoPP::SHACAL2)                     \
  QM_X(901, "SHACAL2-192", 24, 32, 32, CryptoPP::SHACAL2)                     \
  QM_X(902, "SHACAL2-256", 32, 32, 32, CryptoPP::SHACAL2)                     \
  QM_X(903, "SHACAL2-384", 48, 32, 32, CryptoPP::SHACAL2)                     \
  QM_X(904, "SHACAL2-512", 64, 32, 32, CryptoPP::SHACAL2)                     \
  QM_X(950, "TEA", 16, 8, 8, CryptoPP::TEA)                                   \
  QM_X(951, "XTEA", 16, 8, 8, CryptoPP::XTEA)                                 \
  QM_X(1000, "GOST-28147-89", 32, 8, 8, CryptoPP::GOST)
// clang-format on
