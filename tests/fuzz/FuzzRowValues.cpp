// The store's conversion of a result column into a row's text, over values
// of every storage type, valid UTF-8 or not.
#include "store/MyDB.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        return d;
    }();
    if (size == 0)
        return 0;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT ?1", -1, &statement, nullptr);
    const auto* bytes = data + 1;
    const int length = static_cast<int>(size - 1);
    switch (data[0] % 5) {
    case 0:
        sqlite3_bind_text(statement, 1, reinterpret_cast<const char*>(bytes), length, SQLITE_TRANSIENT);
        break;
    case 1:
        sqlite3_bind_blob(statement, 1, bytes, length, SQLITE_TRANSIENT);
        break;
    case 2: {
        qint64 v = 0;
        for (int i = 0; i < length && i < 8; ++i)
            v = (v << 8) | bytes[i];
        sqlite3_bind_int64(statement, 1, v);
        break;
    }
    case 3: {
        double v = 0;
        for (int i = 0; i < length && i < 8; ++i)
            v = v * 256 + bytes[i];
        sqlite3_bind_double(statement, 1, length % 2 ? -v : v);
        break;
    }
    default:
        sqlite3_bind_null(statement, 1);
        break;
    }
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const QString value = MyDB::rowValue(statement, 0);
        if (sqlite3_column_type(statement, 0) == SQLITE_NULL && !value.isEmpty())
            std::abort();
    }
    sqlite3_finalize(statement);
    return 0;
}
