# Fuzz targets of the XML document class and the language file reader.
tervane_fuzz_target(xml_document_fuzz SEEDS xml
  SOURCES tests/fuzz/xml_document_fuzz.cpp
          app/interchange/xml_document.cpp app/interchange/xml_index.cpp
          app/interchange/xml_entities.cpp app/interchange/xml_encoding.cpp
          app/platform/file_io.cpp app/shell/current_language.cpp ui/framework/text.cpp)

tervane_fuzz_target(language_ini_fuzz SEEDS language
  SOURCES tests/fuzz/language_ini_fuzz.cpp app/shell/ini_reader.cpp ui/framework/text.cpp)
