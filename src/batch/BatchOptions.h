#pragma once
// The batch program's command line, Windows style: options start with "/" (or "--"), a value follows
// a colon or an equals sign ("/vorlage:Normal", "--vorlage=Normal"); other arguments are folders.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "batch/WorkPart.h"

namespace korvane {

struct BatchOptions {
    std::vector<std::wstring> folders;   // drawing folders
    bool subfolders = false;             // /s: with every subfolder
    std::wstring listFile;               // /liste: one drawing path per line
    std::wstring templateChoice = L"Normal";  // /vorlage: "Normal", "eng.chin.Normal" or a file name
    bool probe = false;                  // /probe: dry run, changes nothing
    bool resume = false;                 // /fortsetzen: skip what the report shows as done
    std::wstring reportFile;             // /bericht: the CSV report
    std::wstring backupFolder;           // /sicherung: the backup folder of this run
    std::chrono::seconds timeLimit{600}; // /zeitlimit: how long Solid Edge may take over one drawing
    // /neustart: an instance the batch started is ended and started anew after this many drawings
    // it opened; 0 never. Tools of this field restart every few dozen drawings: the application
    // grows with every document and slows or dies after some hundreds.
    size_t restartEvery = 30;
    WorkPart part;                       // /teil:K/N: only the drawings of Teil K von N
    std::wstring mergeTarget;            // /zusammenfassen: the one report made of the parts' reports
    bool help = false;                   // /?
};

// A command line that cannot be used: the German text saying why.
struct OptionsError {
    std::wstring text;
};

std::variant<BatchOptions, OptionsError> parseBatchOptions(const std::vector<std::wstring>& arguments);

// The usage text that /? prints.
std::wstring batchUsage();

}  // namespace korvane
