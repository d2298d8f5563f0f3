#include "store/StoreQuery.h"

#include "store/SQLiteDB.h"
#include "zephui/Text.h"

StoreQuery::StoreQuery(SQLiteDB& db, const char* sql) : result_(db.Prepare(statement_, sql)) {}

StoreQuery& StoreQuery::Bind(int value) {
  statement_.BindInt(++position_, value);
  return *this;
}

StoreQuery& StoreQuery::Bind(std::u16string_view text) {
  statement_.BindText(++position_, texts_.emplace_back(ZephUI::ToUtf8(text)));
  return *this;
}

void StoreQuery::Reset() {
  statement_.Reset();
  texts_.clear();
  position_ = 0;
}

bool StoreQuery::Run() {
  result_ = statement_.Step();
  return result_ == SQLITE_OK || result_ == SQLITE_ROW || result_ == SQLITE_DONE;
}

bool StoreQuery::NextRow() {
  result_ = statement_.Step();
  return result_ == SQLITE_ROW;
}

std::u16string StoreQuery::Text(int column) const {
  const char* text = statement_.ColumnText(column);
  return text == nullptr ? std::u16string() : ZephUI::ToUtf16(text);
}
