# The two commands a newcomer needs: `make play` and `make test`.
.PHONY: play test deps clean

deps:
	@tools/install-deps.sh

play: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor

test: deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# The Debian package of the game build: build/release/package/vexmoor_1.0_<arch>.deb
.PHONY: package
package: deps
	cmake --preset release
	cmake --build --preset release --target package
	dpkg-deb -c build/release/package/vexmoor_*.deb

clean:
	rm -rf build
