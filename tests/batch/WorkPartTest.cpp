// Which workstation takes a drawing: decided by the drawing's identity alone, the same in every run and
// program version, every drawing in exactly one part; and the command line that names the part.
#include <gmock/gmock.h>

#include <map>
#include <set>

#include "automation/TextConvert.h"
#include "batch/BatchOptions.h"
#include "batch/WorkPart.h"
#include "files/PathIdentity.h"
#include "files/posix/ScratchDrives.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;

// Workstations of different program versions share one archive: the function must never change.
TEST(WorkPartition, TheHashIsFnv1a64OverTheKeysUtf8MixedAsMurmur3Finishes) {
    const std::vector<std::pair<std::string, uint64_t>> rows = {
        {"", 0xcbf29ce484222325ull},
        {"a", 0xaf63dc4c8601ec8cull},
        {"foobar", 0x85944171f73967e8ull},
    };
    for (const auto& [bytes, hash] : rows) EXPECT_EQ(hash, fnv1a64(bytes)) << '"' << bytes << '"';
    // Non-ASCII letters go in as UTF-8, not as UTF-16 units.
    EXPECT_EQ(fnv1a64("\xC3\xA4"), fnv1a64(toUtf8(L"\x00E4")));
    // The parts themselves, pinned: a drawing's part must not move between program versions.
    const std::vector<std::tuple<std::wstring, uint32_t, uint32_t>> parts = {
        {L"\\\\srv\\daten\\archiv\\welle.dft", 3, 2},
        {L"\\\\srv\\daten\\archiv\\größe ä.dft", 7, 7},
        {L"\\\\srv\\daten\\archiv\\größe ä.dft", 1, 1},
    };
    for (const auto& [key, n, part] : parts) EXPECT_EQ(part, partOf(key, n)) << toUtf8(key) << " of " << n;
}

TEST(WorkPartition, EverySpellingOfADrawingLandsInOnePart) {
    ScratchDrives scratch;
    scratch.addShare(L"\\\\fileserver\\daten");
    scratch.addNetworkDrive(L'Y', L"\\\\fileserver\\daten");
    PathIdentity identity(scratch.fileSystem());
    const std::vector<std::vector<std::wstring>> drawings = {
        {L"Y:\\Archiv\\Welle.dft", L"\\\\fileserver\\daten\\Archiv\\Welle.dft", L"\\\\FILESERVER\\Daten\\archiv\\WELLE.DFT",
         L"y:/Archiv/x/../Welle.dft.", L"Y:\\Archiv\\.\\Welle.dft"},
        {L"Y:\\Archiv\\Größe Ä.dft", L"\\\\fileserver\\daten\\ARCHIV\\GRÖßE Ä.dft"},
    };
    for (const auto& spellings : drawings) {
        const std::wstring key = identity.of(spellings[0]).key;
        for (const std::wstring& spelling : spellings) {
            SCOPED_TRACE(toUtf8(spelling));
            for (uint32_t n : {2u, 3u, 7u, 100u}) EXPECT_EQ(partOf(key, n), partOf(identity.of(spelling).key, n)) << n;
        }
        EXPECT_EQ(identity.of(spellings[0]).key, identity.of(spellings[1]).key) << toUtf8(spellings[1]);
    }
}

TEST(WorkPartition, PartsAreDisjointCoverTheWorkAndShareItOut) {
    std::vector<std::wstring> keys;
    for (int folder = 0; folder < 10; ++folder)
        for (int i = 0; i < 30; ++i)
            keys.push_back(L"\\\\srv\\daten\\archiv\\projekt " + std::to_wstring(folder) + L"\\teil " + std::to_wstring(i) + L".dft");
    for (uint32_t n = 1; n <= 6; ++n) {
        std::map<uint32_t, size_t> sizes;
        for (const std::wstring& key : keys) {
            size_t takers = 0;
            for (uint32_t k = 1; k <= n; ++k) takers += WorkPart{k, n}.takes(key) ? 1u : 0u;
            EXPECT_EQ(1u, takers) << "N " << n << ": " << toUtf8(key);
            ++sizes[partOf(key, n)];
        }
        ASSERT_EQ(n, sizes.size()) << "N " << n << ": a part without work";
        for (const auto& [k, size] : sizes) EXPECT_GT(size, keys.size() / n / 2) << "part " << k << " of " << n;
    }
}

// FNV-1a's low bits follow the parity of the bytes: names that differ in one odd character (1, 3, 5, a,
// c) would all fall into one of two parts. The key's hash is mixed before it is divided.
TEST(WorkPartition, NamesThatDifferInOneCharacterAreSharedOut) {
    for (const std::wstring tail : {L"", L".dft"}) {
        for (uint32_t n : {2u, 4u}) {
            std::set<uint32_t> parts;
            for (const wchar_t c : std::wstring(L"13579acegikmoqsuwy"))
                parts.insert(partOf(L"\\\\srv\\daten\\zeichnung " + std::wstring(1, c) + tail, n));
            EXPECT_EQ(n, parts.size()) << "N " << n << toUtf8(tail);
        }
    }
}

TEST(WorkPartition, TheCommandLineNamesAPartOrIsRefused) {
    const std::vector<std::pair<std::wstring, std::string>> refused = {
        {L"/teil:0/3", "zwischen 1 und 3"},     {L"/teil:4/3", "zwischen 1 und 3"},
        {L"/teil:1/0", "mindestens 1"},         {L"/teil:0/0", "mindestens 1"},
        {L"/teil:a/3", "ganze Zahlen"},         {L"/teil:2/x", "ganze Zahlen"},
        {L"/teil:-1/3", "ganze Zahlen"},        {L"/teil: 2/3", "ganze Zahlen"},
        {L"/teil:2/3/4", "ganze Zahlen"},       {L"/teil:1/10000", "höchstens 9999"},
        {L"/teil:2", "z. B. /teil:2/3"},        {L"/teil", "z. B. /teil:2/3"},
        {L"/teil:", "z. B. /teil:2/3"},         {L"/teil:/3", "ganze Zahlen"},
    };
    for (const auto& [argument, message] : refused) {
        const auto parsed = parseBatchOptions({L"X:\\a", argument});
        ASSERT_TRUE(std::holds_alternative<OptionsError>(parsed)) << toUtf8(argument);
        EXPECT_THAT(toUtf8(std::get<OptionsError>(parsed).text), HasSubstr(message)) << toUtf8(argument);
    }
    const std::vector<std::pair<std::wstring, WorkPart>> taken = {
        {L"/teil:1/1", {1, 1}}, {L"/teil:2/3", {2, 3}}, {L"--TEIL=3/3", {3, 3}}, {L"/teil:9999/9999", {9999, 9999}},
        {L"/teil:02/3", {2, 3}},
    };
    for (const auto& [argument, part] : taken) {
        const auto parsed = parseBatchOptions({L"X:\\a", argument});
        ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed)) << toUtf8(argument);
        EXPECT_EQ(part.text(), std::get<BatchOptions>(parsed).part.text()) << toUtf8(argument);
    }
    EXPECT_TRUE(std::get<BatchOptions>(parseBatchOptions({L"X:\\a"})).part.whole());
    const std::vector<std::vector<std::wstring>> mergeRefused = {
        {L"X:\\a", L"/zusammenfassen:z.csv", L"/teil:1/2"},
        {L"X:\\a", L"/zusammenfassen:z.csv", L"/fortsetzen", L"/bericht:b.csv"},
    };
    for (const auto& args : mergeRefused) EXPECT_TRUE(std::holds_alternative<OptionsError>(parseBatchOptions(args)));
}

}  // namespace
}  // namespace korvane
