#include <gtest/gtest.h>

#include <sqlcipher/sqlite3.h>

#include "core/base/player_folders.h"
#include "core/base/program_folder.h"
#include "core/tickets/ticket_store.h"
#include "test_support.h"

namespace {
StoredTicket ticket(int drawNo, TicketNumbers numbers, int count = 1)
{
    StoredTicket t;
    t.drawNo = drawNo;
    t.numbers = numbers;
    t.count = count;
    t.source = "手入力";
    return t;
}
}  // namespace

TEST(TicketStore, TicketsAndPrizeAmountsSurviveReopeningAPlainSqliteFile)
{
    TempDir dir;
    const std::string path = dir.file("player/data/" + std::string(kTicketFileName));
    {
        auto store = TicketStore::open(path);
        ASSERT_TRUE(store) << store.error();
        const auto ids =
            store->add({ticket(12, {20, 1, 31, 5, 12}, 3), ticket(9, {1, 2, 3, 4, 5})});
        ASSERT_TRUE(ids) << ids.error();
        ASSERT_EQ(ids->size(), 2u);
        ASSERT_TRUE(store->setPrizeAmount(12, PrizeTier::Fourth, 1000));
        ASSERT_TRUE(store->setPrizeAmount(12, PrizeTier::Third, 30000));
        ASSERT_TRUE(store->setPrizeAmount(12, PrizeTier::Third, std::nullopt));
    }
    EXPECT_EQ(readFile(path).substr(0, 15), "SQLite format 3");  // no key: readable by any tool

    auto store = TicketStore::open(path);
    ASSERT_TRUE(store) << store.error();
    auto tickets = store->tickets();
    ASSERT_TRUE(tickets);
    ASSERT_EQ(tickets->size(), 2u);
    EXPECT_EQ((*tickets)[0].drawNo, 9);  // by draw number
    EXPECT_EQ((*tickets)[1].numbers, (TicketNumbers{1, 5, 12, 20, 31}));
    EXPECT_EQ((*tickets)[1].count, 3);
    EXPECT_EQ((*tickets)[1].source, "手入力");
    const auto amounts = store->prizeAmounts();
    ASSERT_TRUE(amounts);
    EXPECT_EQ(amounts->at(12)[3], 1000);
    EXPECT_FALSE(amounts->at(12)[2]);

    StoredTicket edited = (*tickets)[0];
    edited.numbers = {31, 30, 29, 28, 27};
    edited.drawNo = 15;
    ASSERT_TRUE(store->update(edited));
    ASSERT_TRUE(store->remove((*tickets)[1].id));
    EXPECT_FALSE(store->remove((*tickets)[1].id));  // already gone
    tickets = store->tickets();
    ASSERT_EQ(tickets->size(), 1u);
    EXPECT_EQ((*tickets)[0].drawNo, 15);
    EXPECT_EQ((*tickets)[0].numbers, (TicketNumbers{27, 28, 29, 30, 31}));
}

TEST(TicketStore, ABadTicketInABatchStoresNoneOfIt)
{
    TempDir dir;
    auto store = TicketStore::open(dir.file(kTicketFileName));
    ASSERT_TRUE(store) << store.error();
    ASSERT_TRUE(store->add({ticket(1, {1, 2, 3, 4, 5})}));
    const std::vector<StoredTicket> bad = {
        ticket(0, {1, 2, 3, 4, 5}), ticket(32768, {1, 2, 3, 4, 5}), ticket(2, {1, 2, 3, 4, 32}),
        ticket(2, {1, 2, 3, 3, 5}), ticket(2, {1, 2, 3, 4, 5}, 0)};
    for (const StoredTicket& t : bad) {
        const auto added = store->add({ticket(2, {6, 7, 8, 9, 10}), t});
        EXPECT_FALSE(added);
        StoredTicket existing = (*store->tickets())[0];
        const long long id = existing.id;
        existing = t;
        existing.id = id;
        EXPECT_FALSE(store->update(existing));
    }
    const auto tickets = store->tickets();
    ASSERT_EQ(tickets->size(), 1u);
    EXPECT_EQ((*tickets)[0].numbers, (TicketNumbers{1, 2, 3, 4, 5}));
}

TEST(TicketStore, RefusesADamagedForeignOrNewerFileAndLeavesItAsItWas)
{
    TempDir dir;
    const std::string garbage = dir.file("garbage.sqlite");
    writeFile(garbage, std::string(4096, 'x'));
    const std::string truncated = dir.file("truncated.sqlite");
    {
        ASSERT_TRUE(TicketStore::open(truncated));
        auto store = TicketStore::open(truncated);
        ASSERT_TRUE(store->add({ticket(1, {1, 2, 3, 4, 5})}));
    }
    // Keep the header, spoil every page after the first.
    std::string bytes = readFile(truncated);
    ASSERT_GT(bytes.size(), 1024u);
    for (std::size_t i = 100; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(0xA5);
    writeFile(truncated, bytes);

    const std::string foreign = dir.file("foreign.sqlite");
    const std::string newer = dir.file("newer.sqlite");
    {
        sqlite3* db = nullptr;
        sqlite3_open(foreign.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE other (x);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_TRUE(TicketStore::open(newer));
        sqlite3_open(newer.c_str(), &db);
        sqlite3_exec(db, "PRAGMA user_version = 99;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    for (const std::string& path : {garbage, truncated, foreign, newer}) {
        const std::string before = readFile(path);
        const auto store = TicketStore::open(path);
        ASSERT_FALSE(store) << path;
        EXPECT_NE(store.error().find(path), std::string::npos) << store.error();
        EXPECT_NE(store.error().find("変更していません"), std::string::npos) << store.error();
        EXPECT_EQ(readFile(path), before) << path;
    }
    EXPECT_FALSE(TicketStore::open(dir.path().string()));  // a folder
}

TEST(TicketStore, ThePlayersFileIsInTheDataFolderNotBesideTheDrawDatabase)
{
    // A data update replaces the draw database beside the program; tickets are elsewhere.
    const std::filesystem::path file = defaultTicketFile();
    EXPECT_EQ(file.parent_path(), playerDataFolder());
    EXPECT_NE(file.parent_path(), std::filesystem::path(programFolder()));
    EXPECT_EQ(file.filename(), kTicketFileName);
}
