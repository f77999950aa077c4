// The update check: the published version file on the maker's server against the own version.
#pragma once

#include <string>

// The whole check on the calling thread: balloon, download, message box.
void ProvestKontroluAktualizaci();
// Starts the check on a worker thread, so that the main thread never waits for the network;
// a request while a check runs is ignored.
void ZkontrolovatAktualizace();

// The published version of an update file's text: what follows the prefix "posledniVerze"
// (compared without case), white space and line ends trimmed; false for any other text.
bool PrecistPublikovanouVerzi(const std::wstring& text, std::wstring& verze);
