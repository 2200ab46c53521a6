#pragma once

#include "config/StatusCode.h"

// Codes of the configuration and the language texts.

// The configuration file exists but its format version is not one this program reads.
constexpr StatusCode kStatusConfigIncompatible = 0xEE00100F;
// The configuration file cannot be opened.
constexpr StatusCode kStatusConfigNotOpened = 0xEE001010;

// Language texts: loading runs only once / nothing chosen or no table to fill.
constexpr StatusCode kStatusLanguageTextsNotReady = 0xEE000004;
// A language tag that is not well formed.
constexpr StatusCode kStatusLanguageTagInvalid = 0xEE000051;
// A locale the system does not know.
constexpr StatusCode kStatusLocaleUnknown = 0xEE000041;
// The chosen translation file cannot be opened / read.
constexpr StatusCode kStatusLanguageFileNotOpened = 0xEE000090;
constexpr StatusCode kStatusLanguageFileNotRead = 0xEE000091;
