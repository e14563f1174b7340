# The sanitizers of the native test build and of the fuzz targets.
set(SCRIVLET_SANITIZERS address,undefined)
set(SCRIVLET_SANITIZER_OPTIONS -fno-sanitize-recover=all -fno-omit-frame-pointer)
