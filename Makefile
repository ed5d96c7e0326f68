# make test: installs what is missing, builds everything and runs every test.
# make run:  installs what is missing, builds everything and starts the program under Wine.
BUILD ?= build
# The product is 32-bit; a host that cannot run 32-bit code builds and tests it for x86_64.
ARCH = $(shell tools/windows-arch)
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-$(ARCH).cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup build native package test run bench fuzz format art clean

setup:
	tools/setup

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$$(nproc)

# The logic that needs no system call, built with the host's compiler.
native: setup
	cmake -S tests/native -B $(BUILD)/native -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/native -j$$(nproc)

# The installer and a zip of the binaries, in $(BUILD)/package.
package: build
	tools/package $(BUILD)

test: build native package
	ctest --test-dir $(BUILD) --output-on-failure

run: build
	tools/run-program $(BUILD)

# The benchmarks measure the release and, where the host can start 64-bit Wine too, the x86-64
# build beside it (in $(BUILD)/x86_64).
bench: build
	tools/setup bench
	cmake --build $(BUILD) -j$$(nproc) --target vxbench
	if [ $(ARCH) = i686 ] && /usr/lib/wine/wine64 --version >/dev/null 2>&1; then \
	  cmake -S . -B $(BUILD)/x86_64 -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release >/dev/null && \
	  cmake --build $(BUILD)/x86_64 -j$$(nproc) --target vxbench; fi
	bench/run $(BUILD)

# Each fuzz target for a minute over its committed corpus.
fuzz: native
	tests/fuzz/run $(BUILD) 60

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Redraws the pictures, art.rc, art-ids.h and art-preview.png in resources/ from tools/art.
art: setup
	tools/draw-art

clean:
	rm -rf $(BUILD)
