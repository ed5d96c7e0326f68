// A list kept in the registry as a key of text values named by their numbers from 1: the form of
// the keep lists, and the form Group Policy gives a list in.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The texts in UTF-8, in the order of their numbers up to the first number missing; a value of
// another type reads as empty. Nothing when the key cannot be opened.
std::optional<std::vector<std::string>> ReadTextList(HKEY root, const std::wstring& key);
