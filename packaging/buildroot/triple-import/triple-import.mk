################################################################################
#
# triple-import
#
################################################################################

TRIPLE_IMPORT_VERSION = 1.0.0
TRIPLE_IMPORT_SOURCE = triple_import-$(TRIPLE_IMPORT_VERSION).tar.gz
TRIPLE_IMPORT_SITE = https://releases.quorvale.example/triple_import
TRIPLE_IMPORT_LICENSE = Proprietary
TRIPLE_IMPORT_LICENSE_FILES = packaging/copyright
# The licence forbids passing the source on: legal-info leaves it out.
TRIPLE_IMPORT_REDISTRIBUTE = NO
TRIPLE_IMPORT_CONF_OPTS = -DTRIPLE_IMPORT_GATEWAY=ON

$(eval $(cmake-package))
