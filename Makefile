# The commands a newcomer types. Each installs what it needs first (only what is missing).

.PHONY: all build test clean

all: build

build:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev

# Every test, in a plain build and under AddressSanitizer + UndefinedBehaviorSanitizer, then as
# 64-bit Windows code under Wine.
test:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset win64
	cmake --build --preset win64
	ctest --preset win64

clean:
	rm -rf build
