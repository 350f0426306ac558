// DbConnectString: the connection string of the draw database, built from its six pieces, and
// the pieces the database layer reads back out of it.
#pragma once

#include <optional>
#include <string>

inline constexpr const char* kDatabaseFileName = "Pomuran.mdb";
inline constexpr const char* kAllDrawsQuery = "select * from 全データ選択クエリ order by 回数";

// The password of the shipped database, six digits produced from this constant at run time.
inline constexpr long kDatabasePasswordValue = 582931;
std::string databasePassword();

// "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=NNNNNN;Data
// Source=FOLDER/Pomuran.mdb"
std::string buildDbConnectString(const std::string& programFolder);
// The same pieces around an explicit database file (command line --db).
std::string connectStringForFile(const std::string& databaseFile);

struct ConnectionPieces {
    std::string password;
    std::string dataSource;  // path of the database file
};
std::optional<ConnectionPieces> parseConnectString(const std::string& connectString);
