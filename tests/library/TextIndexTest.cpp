#include "library/TextIndex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvane {
namespace {

// Item numbers name texts kept in a vector, as the list keeps its paths in its rows.
struct TextOfItem
{
    const std::vector<std::string>* Texts;
    std::string_view operator()(uint32_t item) const { return (*Texts)[item]; }
};

// A hash that sends many texts to the last three slots, whatever the table's size, so that long runs
// wrap past the end of the table.
struct FewHashes
{
    size_t operator()(std::string_view text) const
    {
        return SIZE_MAX - (text.empty() ? 0 : static_cast<size_t>(text[0]) % 3);
    }
};

// Random inserts, erases and finds against an ordinary map from text to item, with a fixed seed.
template <typename Hash>
void FollowsAPlainMap(int operations, size_t textKinds)
{
    std::vector<std::string> texts;
    TextIndex<TextOfItem, Hash> index{TextOfItem{&texts}};
    std::unordered_map<std::string, uint32_t> reference;
    std::mt19937 random(20261211);
    for (int step = 0; step < operations; ++step) {
        const std::string text =
            std::string(1, static_cast<char>('a' + random() % 7)) + std::to_string(random() % textKinds);
        const auto known = reference.find(text);
        switch (random() % 3) {
        case 0: // insert, if new
            if (known == reference.end()) {
                texts.push_back(text);
                const auto item = static_cast<uint32_t>(texts.size() - 1);
                index.Insert(item);
                reference.emplace(text, item);
            }
            break;
        case 1: // erase, if there
            if (known != reference.end()) {
                index.Erase(known->second);
                reference.erase(known);
            }
            break;
        default:
            break;
        }
        const auto now = reference.find(text);
        const std::optional<uint32_t> expected =
            now == reference.end() ? std::nullopt : std::optional<uint32_t>(now->second);
        ASSERT_EQ(index.Find(text), expected) << "step " << step << ", " << text;
        ASSERT_EQ(index.Size(), reference.size());
    }
    // Every text still indexed is found, every other one is not.
    for (uint32_t item = 0; item < texts.size(); ++item) {
        const auto known = reference.find(texts[item]);
        const bool present = known != reference.end() && known->second == item;
        if (present) {
            EXPECT_EQ(index.Find(texts[item]), item);
        } else if (known == reference.end()) {
            EXPECT_EQ(index.Find(texts[item]), std::nullopt) << texts[item];
        }
    }
}

TEST(TextIndex, FollowsAPlainMapThroughGrowthAndErases)
{
    FollowsAPlainMap<std::hash<std::string_view>>(20000, 3000); // grows from 16 slots to thousands
    FollowsAPlainMap<FewHashes>(4000, 200);                     // every text in one of three long runs
}

TEST(TextIndex, AnEraseInTheMiddleOfARunKeepsTheLaterEntriesFound)
{
    std::vector<std::string> texts = {"a1", "a2", "a3", "a4", "b1"};
    TextIndex<TextOfItem, FewHashes> index{TextOfItem{&texts}};
    for (uint32_t item = 0; item < texts.size(); ++item) {
        index.Insert(item);
    }
    index.Erase(1); // "a2", between "a1" and "a3" in the run of 'a'
    EXPECT_EQ(index.Find("a2"), std::nullopt);
    for (const uint32_t item : {0u, 2u, 3u, 4u}) {
        EXPECT_EQ(index.Find(texts[item]), item) << texts[item];
    }
    EXPECT_EQ(index.Find("c1"), std::nullopt);
}

} // namespace
} // namespace kelvane
