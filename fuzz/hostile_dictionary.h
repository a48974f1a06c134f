// A dictionary for the session target: a few ordinary words that typing reaches, then lines made
// from the fuzz input (Tibetan units, regex metacharacters, CR, LF, NUL, lone surrogates, lines
// longer than a line piece, missing terminators), loaded as raw file bytes.
//
// Everything the targets know about how a dictionary is built and what it offers is here, so
// that a change of the dictionary's interface is met in this one file.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_set>

#include "dictionary/dictionary.h"

namespace revaze::fuzz {

// The raw bytes of a dictionary file: UTF-16LE, with or without FF FE.
std::string hostileDictionaryBytes(FuzzedDataProvider& input);

std::unique_ptr<Dictionary> dictionaryFromBytes(const std::string& bytes);

// Every candidate a dictionary file can offer: each line without its terminator, as the
// reference loader reads the file.
std::unordered_set<std::wstring> offeredCandidates(const std::string& bytes);
std::unordered_set<std::wstring> offeredCandidates(const std::filesystem::path& file);

} // namespace revaze::fuzz
