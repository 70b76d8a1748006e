# make        builds into build/
# make run    installs what is missing, builds, starts the program (FILES="a.ov2 b.ov2" opens them)
# make test   installs what is missing, builds, runs the whole suite headless
BUILD ?= build
JOBS ?= $(shell nproc)
FILES ?=

.PHONY: all build deps run test install clean bench

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	$(BUILD)/lumetra $(FILES)

test: deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 ctest --output-on-failure -j $(JOBS)

bench: deps build
	scripts/run-bench.sh $(BUILD)

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD)
