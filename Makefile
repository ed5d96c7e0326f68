# make test: installs what is missing, builds everything and runs every test.
# make run:  installs what is missing and builds everything.
BUILD ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup build test run bench format clean

setup:
	tools/setup

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$$(nproc)

test: build
	ctest --test-dir $(BUILD) --output-on-failure

run: build
	@echo "Built into $(BUILD)/wine/drive_c/Norvexa (C:\\Norvexa in the build's Wine prefix):"
	@ls -l $(BUILD)/wine/drive_c/Norvexa/*.dll $(BUILD)/wine/drive_c/Norvexa/*.exe 2>/dev/null

bench: build
	bench/run

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
