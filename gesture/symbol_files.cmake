# sources of this area
