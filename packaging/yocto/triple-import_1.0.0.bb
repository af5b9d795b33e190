# Yocto recipe of triple_import: copy it into a layer as recipes-support/triple-import/.
# scripts/release writes it with the release tarball's checksum.
SUMMARY = "Store a file of device triples in the gateway's configuration manager"
DESCRIPTION = "triple_import stores a triple file's devices in the gateway's configuration \
               manager with one set_config call through dbus-send; triple_check says beforehand \
               what would be refused or stored wrong."
# The release site answers the gateway vendor's network alone.
# nooelint: oelint.vars.homepageping
HOMEPAGE = "https://releases.quorvale.example/triple_import/"
LICENSE = "Proprietary"
LIC_FILES_CHKSUM = "file://packaging/copyright;md5=08871f25e8fcbc0e74d74c13a6f2caf7"
# Quorvale's own licence, which has no generic text in any layer.
NO_GENERIC_LICENSE[Proprietary] = "packaging/copyright"

SRC_URI = "https://releases.quorvale.example/triple_import/triple_import-${PV}.tar.gz"
SRC_URI[sha256sum] = "0000000000000000000000000000000000000000000000000000000000000000"
# Releases before UNPACKDIR unpack into WORKDIR.
UNPACKDIR ??= "${WORKDIR}"
S = "${UNPACKDIR}/triple_import-${PV}"

inherit cmake

# The folder of the gateway's own loader and C library, which the vendor's files fill; "/lib" for
# a system whose own glibc the programs use.
GATEWAY_LIB_DIR ?= "/quorvale/gateway/build/lib"
EXTRA_OECMAKE = "-DTRIPLE_IMPORT_GATEWAY=ON -DGATEWAY_LIB_DIR=${GATEWAY_LIB_DIR}"

# The binary loads through glibc's loader for ARM's hard-float ABI in the gateway's own tree:
# little-endian ARM with glibc, and a tune with callconvention-hard, which no triplet tells apart:
# only the tune's TARGET_FPU does, which the anonymous function reads.
COMPATIBLE_HOST = "arm-.*-linux-gnueabi"
COMPATIBLE_HOST:libc-musl = "null"
# nooelint: oelint.task.noanonpython
python () {
    if d.getVar('TARGET_FPU') != 'hard':
        raise bb.parse.SkipRecipe("triple-import needs ARM's hard-float ABI: a tune with callconvention-hard, as armv7athf-neon")
}

RDEPENDS:${PN} = "dbus-tools"
