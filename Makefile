# make run    install what is missing, build, open the modeler on the sample scene
# make test   install what is missing, build, run every test
# make bench  build optimised and run the benchmarks
# SANITIZE=1  build with AddressSanitizer and UBSan (what CI runs)

SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD ?= build-asan
CMAKE_FLAGS += -DQUORVEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_BUILD_BENCH=OFF
else
BUILD ?= build
CMAKE_FLAGS += -DCMAKE_BUILD_TYPE=Release
endif
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench fuzz-smoke clean

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-sample $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/run-benchmarks $(BUILD)

fuzz-smoke: deps
	@scripts/fuzz 20

clean:
	rm -rf build build-asan build-fuzz
