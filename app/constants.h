#pragma once

#include <string>

namespace thisapp {

// The program's fixed strings, shared by every reader.
inline const std::string kProductName = "Quellmark";  // opens the banner
inline const std::wstring kEncryptedSuffix = L".enc";
inline const std::wstring kDecryptedSuffix = L".dec";

// Option keywords, written on the command line after '/' or '-'.
inline const std::wstring kOptInputShort = L"i";
inline const std::wstring kOptInput = L"ifile";
inline const std::wstring kOptInputLong = L"inputfile";
inline const std::wstring kOptOutputShort = L"o";
inline const std::wstring kOptOutput = L"ofile";
inline const std::wstring kOptOutputLong = L"outputfile";
inline const std::wstring kOptAlgorithmShort = L"a";
inline const std::wstring kOptAlgorithm = L"alg";
inline const std::wstring kOptAlgorithmLong = L"algorithm";
inline const std::wstring kOptEncryptShort = L"enc";
inline const std::wstring kOptEncrypt = L"encrypt";
inline const std::wstring kOptDecryptShort = L"dec";
inline const std::wstring kOptDecrypt = L"decrypt";
inline const std::wstring kOptPasswordShort = L"psw";
inline const std::wstring kOptPassword = L"password";
inline const std::wstring kOptRewrite = L"rewrite";
inline const std::wstring kOptConfirm = L"confirm";
inline const std::wstring kOptUseSalt = L"usesalt";
inline const std::wstring kOptHelpShort = L"?";
inline const std::wstring kOptHelpMan = L"man";
inline const std::wstring kOptHelp = L"help";
inline const std::wstring kOptAlgorithmsShort = L"algs";
inline const std::wstring kOptAlgorithms = L"algorithms";
inline const std::wstring kOptLocale = L"locale";

}  // namespace thisapp
