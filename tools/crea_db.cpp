// Builds the SQLite product database from SQL text files.
// Usage: crea_db OUTPUT.db FILE.sql...
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: crea_db OUTPUT FILE.sql...\n";
    return 2;
  }
  std::string tmp = std::string(argv[1]) + ".tmp";
  std::remove(tmp.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
    std::cerr << "cannot create " << tmp << "\n";
    return 1;
  }
  sqlite3_exec(db, "PRAGMA journal_mode=OFF; BEGIN;", nullptr, nullptr, nullptr);
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i]);
    std::stringstream ss;
    ss << in.rdbuf();
    char* err = nullptr;
    if (!in || sqlite3_exec(db, ss.str().c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
      std::cerr << argv[i] << ": " << (err ? err : "cannot read") << "\n";
      sqlite3_free(err);
      sqlite3_close(db);
      std::remove(tmp.c_str());
      return 1;
    }
  }
  sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (std::rename(tmp.c_str(), argv[1]) != 0) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
