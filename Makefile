# make        build everything into build/ (programs in build/bin/)
# make run    install what is missing, build, start the demo
# make test   install what is missing, build, run every test (normal, sanitizer, Python and
#             browser, and a few seconds of each fuzz target on its seeds)
# make web    build the WebAssembly module and the pages into web/dist/

BUILD      ?= build
ASAN_BUILD ?= build-asan
WEB_BUILD  ?= build-web
JOBS       ?= $(shell nproc)
# How long `make test` runs each fuzz target.
TEST_FUZZ_SECONDS ?= 5

.PHONY: all deps build run test test-normal test-sanitize test-web web bench bench-python bench-web clean format update-golden pictures

all: build

deps:
	@tools/install-deps.sh

# tools/configure.sh copes with build folders made for another checkout or by
# another user before configuring.
build:
	@tools/configure.sh $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	cd assets && ../$(BUILD)/bin/instruments

test: deps
	$(MAKE) test-normal
	$(MAKE) test-sanitize
	$(MAKE) test-web
	$(MAKE) fuzz SECONDS=$(TEST_FUZZ_SECONDS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	@tools/configure.sh $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DINSTRUMENTS_SANITIZE=ON -DINSTRUMENTS_BUILD_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) -LE 'e2e|install'

web:
	web/build.sh $(WEB_BUILD)

# The pages in headless Chromium against the native tools (puppeteer-core from npm).
WEB_TEST = cd web/tests && npm ci --no-audit --no-fund --loglevel=error && \
	node browser-test.mjs --dist ../dist --bin $(abspath $(BUILD))/bin --assets ../../assets

test-web: build web
	$(WEB_TEST)

# First frame, tick against the native tick, and the module's size, in Chromium.
bench-web: build web
	$(WEB_TEST) --measure

bench: build
	$(BUILD)/bin/bench_canvas

# What a paint call costs from Python against C++, and two threads against one.
bench-python: build
	PYTHONPATH=$(BUILD)/python /usr/bin/python3 bench/bench_python.py $(BUILD)/bin/instruments-bench

format:
	find app canvas colour widgets dialog include tests bench tools examples fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) web/dist web/tests/node_modules

# Rewrites the golden frames from the current code; review the new images before committing.
update-golden: build
	cd $(BUILD) && INSTRUMENTS_UPDATE_GOLDEN=1 ctest -R GoldenFrame --output-on-failure

# Draws the two demo pictures into assets/.
pictures: build
	$(BUILD)/bin/make-pictures assets

# Builds the libFuzzer programs with clang into their own folder and runs each
# for SECONDS seconds; fails when one of them finds a crash.
FUZZ_BUILD ?= build-fuzz
SECONDS    ?= 60

.PHONY: fuzz
fuzz: deps build
	@tools/configure.sh $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DINSTRUMENTS_FUZZ=ON -DINSTRUMENTS_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-programs
	fuzz/run-fuzz.sh $(FUZZ_BUILD) $(SECONDS) $(BUILD)
