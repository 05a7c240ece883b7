# The pure modules (no Windows header), relative to src/: built natively by the sanitizer tests
# and linked into every fuzz target. One module per line; append new pure modules here.
set(DOCKET_PURE_SOURCES
    manager/path_text.cpp
    dictionary/key_order.cpp
    streams/text_reader.cpp
    fsobjects/image_header.cpp
    streams/utf8.cpp
    com/lead_bytes.cpp
    streams/decoding_char_source.cpp
    security/rights_model.cpp
    security/access_entry.cpp
    security/account_text.cpp
    crypto/twofish.cpp
    crypto/key_text.cpp
    crypto/block_file_cipher.cpp
    fsobjects/deletion_rules.cpp
    fsobjects/drive_spec.cpp
)
