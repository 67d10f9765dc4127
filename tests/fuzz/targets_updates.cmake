# Fuzz targets of the update archives and the imported profile and macro files.
tervane_fuzz_target(extract_all_fuzz SEEDS zip
  SOURCES tests/fuzz/extract_all_fuzz.cpp
          app/update/zip_extractor.cpp app/update/zip_entry_name.cpp ui/framework/text.cpp
  LIBRARIES PkgConfig::MINIZIP)

tervane_fuzz_target(interchange_import_fuzz SEEDS interchange_files
  SOURCES tests/fuzz/interchange_import_fuzz.cpp
          app/interchange/profile_file.cpp app/interchange/macro_file.cpp
          app/interchange/macro_items.cpp app/interchange/interchange_names.cpp
          app/interchange/program_start_consent.cpp
          app/interchange/xml_document.cpp app/interchange/xml_index.cpp
          app/interchange/xml_entities.cpp app/interchange/xml_encoding.cpp
          app/store/database_file.cpp app/store/profile_store.cpp
          app/store/profile_store_lighting.cpp app/store/profile_store_macros.cpp
          app/store/profile_store_profiles.cpp app/store/sqlite_auto_transaction.cpp
          app/store/sqlite_db.cpp app/store/sqlite_statement.cpp app/store/store_schema.cpp
          app/platform/file_io.cpp app/shell/current_language.cpp ui/framework/text.cpp
  LIBRARIES PkgConfig::SQLITE3)
